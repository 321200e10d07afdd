#include "data/DecodeRecordBlocks.h"

#include "shell/AppState.h"

void DecodeRecordBlocks(AppState& st) {
    (void)st;
}
