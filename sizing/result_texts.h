// The texts every calculator shows, and the rule for which volumes are shown.
#pragma once

#include <string>

// printf format of the result sentence, for one double.
extern const char* const ResultFormat;
// Shown when a calculation gives no usable volume.
extern const char* const InvalidInputMessage;

// Only a finite volume greater than zero is a result; zero, negatives, NaN and the infinities
// are not.
bool IsShownVolume(double volume);
// The result sentence for volume, with two decimals.
std::string FormatVolumeSentence(double volume);
