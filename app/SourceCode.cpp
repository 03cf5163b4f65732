#include "app/SourceCode.h"

int SourceCodeToNumber(uint32_t sourceCode) {
    switch (sourceCode) {
    case 8: return 40;
    case 9: return 41;
    case 10: return 60;
    case 11: return 61;
    default: return static_cast<int>(sourceCode * 10u);
    }
}
