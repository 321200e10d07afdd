#pragma once
// Turns one bank of the logger's 80-byte record blocks into readings in volts with time stamps.

struct AppState;

// Decodes st.DownloadBuffer (bank st.BankIndex) into st.BlockValue / st.BlockTime from index 1.
void DecodeRecordBlocks(AppState& st);
