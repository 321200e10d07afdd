#pragma once
// File > Site Report: a PDF file or the printer, then the report with its progress shown.

class Log1;

void mnuReport_Click(Log1& w);
