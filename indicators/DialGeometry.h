#pragma once
// The dial gauge's geometry, free of widgets: its minimum size and layout from the control's
// size and properties, points on its circles, the polygon of a limit band, the hub's scan lines,
// and whether the scale limits allow a scale to be drawn at all.
//
// Angles are radians counter-clockwise from 3 o'clock with the screen's y axis pointing down;
// a point at angle t and radius r lies at (DCX + r cos t, DCY - r sin t), each coordinate
// rounded to the nearest integer (halves to even).
#include <cstdint>
#include <vector>

#include "platform/Geometry.h"

// The degree-to-radian factor the dial's drawing is defined with (not the exact pi/180).
constexpr double DialDegToRad = 0.017453292;
// About five degrees: the step of a limit band's arcs.
constexpr double DialBandStep = 0.08726646;
// Limits that keep a broken stored property from making the control or its fonts enormous.
constexpr int DialMaxTitleHeight = 1024;  // pixels
constexpr int DialMaxFontPercent = 1000;  // percent of the scale radius
constexpr int DialMaxTicks = 3600;        // ticks on the scale
constexpr int DialMaxScaleExp = 9;        // 10^9 still fits 32 bits

struct TDialLayoutInput {
    int Width = 0;
    int Height = 0;
    int ScaleAngle = 270;
    int HeightTitle = 16;
    int HeightScale = 16;
    int HeightValue = 24;
};

struct TDialLayout {
    int Width = 0;  // the control's size after growing to its minimum
    int Height = 0;
    int WidthMin = 0;
    int HeightMin = 0;
    int DCX = 0;
    int DCY = 0;
    int Boss = 0;
    int ScaleR1 = 0;
    int ScaleR2 = 0;
    int ScaleR3 = 0;
    int Needle = 0;
    int ScaleFH = 0;
    int DigitalFH = 0;
    platform::TRect OuterRect;
    platform::TRect InnerRect;
};

// The angle the layout and the scale are computed with: the stored angle held within 1..360, so
// that no division by 1 - cos or by sin ever meets zero.
int DialEffectiveAngle(int scaleAngle);
// The title height used for layout and drawing: within 0..DialMaxTitleHeight.
int DialEffectiveTitleHeight(int heightTitle);

TDialLayout ComputeDialLayout(const TDialLayoutInput& in);

// The point at angle theta and radius r around (dcx, dcy).
platform::TPoint DialPoint(int dcx, int dcy, double theta, double r);

// The ring sector from angle a down to angle b (a > b) between the outer radius ro and the inner
// radius ri: the outer arc from a toward b, then the inner arc back from b toward a, in steps of
// about five degrees. A sector narrower than one step is drawn as one step; an empty or
// reversed one gives no points.
std::vector<platform::TPoint> DialBandPoints(int dcx, int dcy, int ro, int ri, double a, double b);

// One horizontal line of the hub: from (X1, Y) to (X2, Y), the end point left out.
struct TDialScanLine {
    int X1 = 0;
    int X2 = 0;
    int Y = 0;
};
// The hub of radius boss as scan lines: rows below and above the centre from the outside in,
// then the centre row. A hub of radius 0 or less has no lines (the needle then reaches the
// centre on its own).
std::vector<TDialScanLine> DialHubLines(int dcx, int dcy, int boss);

// What the scale limits allow. A scale is drawn only when the angle lies within 1..360, the
// minimum lies below the maximum, both divisions are at least 1 and give at most DialMaxTicks
// ticks, a main step is at least one unit and the exponent is at most DialMaxScaleExp; otherwise
// the dial shows its face, hub and value text without ticks, numbers, bands or needle.
struct TDialScaleCheck {
    bool Usable = false;
    std::int64_t MainStep = 0;  // (max - min) div main divisions
    int Ticks = 0;              // main divisions x sub divisions
};
TDialScaleCheck CheckDialScale(int scaleAngle, int minValue, int maxValue, int mainScaleDiv,
                               int subScaleDiv, int mainScaleExp);
