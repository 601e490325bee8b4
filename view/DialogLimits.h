#pragma once

// The ranges the dialogs accept, and so the ranges every other way of giving
// the same values (scripts) accepts.
namespace limits {

constexpr int kColumnMin = 1;
constexpr int kColumnMax = 10;
constexpr int kSkipLinesMin = 0;
constexpr int kSkipLinesMax = 100;
constexpr int kLastLineMin = 1;
constexpr int kLastLineMax = 9999;
constexpr double kToleranceMin = 0.00001;
constexpr double kToleranceMax = 1.0;

}  // namespace limits
