#pragma once
#include <string>
#include "platform/gfx/Geometry.h"

class TCanvas;

// Text drawing and measuring on a canvas; text is UTF-8.

// DrawText on the canvas's context; returns the text height.
int DrawSkinText(TCanvas& Canvas, const std::string& Text, TRect& R, unsigned Flags);
int CalcTextWidthW(TCanvas& Canvas, const std::string& Text);
int CalcTextHeightW(TCanvas& Canvas, const std::string& Text);
// Shortens Text, a whole character at a time, until Text + "..." fits
// MaxWidth (or Text is empty), then appends "..."; a fitting text stays.
void FitTextToWidthW(TCanvas& Canvas, std::string& Text, int MaxWidth);
// The same, measured with the canvas's TextWidth.
void FitTextToWidth(TCanvas& Canvas, std::string& Text, int MaxWidth);
// One line centred vertically in R; nothing for an empty Text.
void DrawSingleLineText(TCanvas& Canvas, const std::string& Text, const TRect& R);
// TextRect at R.Left + 2 (+ Indent), centred vertically; nothing for an empty Text.
void TextRectVCenter(TCanvas& Canvas, const std::string& Text, const TRect& R);
void TextRectVCenterIndent(TCanvas& Canvas, const std::string& Text, const TRect& R, int Indent);

// Text without its last character (a whole UTF-8 code point).
std::string DropLastCharacter(const std::string& Text);
