#pragma once
// The commands of vesto-cli. Each returns the tool's exit status (cli/Tool.h).

class Tool;
struct Options;

int Scan(Tool& tool, const Options& options);
int Status(Tool& tool, const Options& options);
int Download(Tool& tool, const Options& options);
int Convert(Tool& tool, const Options& options);
int Report(Tool& tool, const Options& options);
int Setup(Tool& tool, const Options& options);
