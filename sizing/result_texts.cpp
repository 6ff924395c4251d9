#include "sizing/result_texts.h"

#include <cmath>
#include <cstdio>

const char* const ResultFormat = "根据您的参数计算出蓄能器所需容积为：%.2f 升。";
const char* const InvalidInputMessage = "输入的参数有误，请重新输入！";

bool IsShownVolume(double volume) {
    return std::isfinite(volume) && volume > 0.0;
}

std::string FormatVolumeSentence(double volume) {
    // Only shown volumes reach here; a finite double with two decimals stays far below this.
    char buffer[512];
    const int length = std::snprintf(buffer, sizeof buffer, ResultFormat, volume);
    if (length < 0 || static_cast<size_t>(length) >= sizeof buffer) {
        return std::string();
    }
    return std::string(buffer, static_cast<size_t>(length));
}
