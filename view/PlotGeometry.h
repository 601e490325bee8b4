#pragma once

// Where the picture is drawn, in device pixels: the plot window, the curve
// samples across it, the labels around it and the picture's whole extent.
namespace plot {

constexpr int kLeft = 100;
constexpr int kRight = 650;
constexpr int kTop = 50;
constexpr int kBottom = 350;
constexpr int kWidth = kRight - kLeft;   // 550
constexpr int kHeight = kBottom - kTop;  // 300
// Curve samples 0..kWidth, one per column of the window.
constexpr int kSamples = kWidth + 1;

// Top-left corners of the title and the range labels.
constexpr int kTitleX = 250;
constexpr int kTitleY = 30;
constexpr int kXLabelY = 360;
constexpr int kXMinLabelX = 100;
constexpr int kXMaxLabelX = 640;
constexpr int kYLabelX = 35;
constexpr int kYMaxLabelY = 50;
constexpr int kYMinLabelY = 330;

// The whole picture, labels included: the size of a rendered or printed plot.
constexpr int kPictureWidth = 700;
constexpr int kPictureHeight = 400;

}  // namespace plot
