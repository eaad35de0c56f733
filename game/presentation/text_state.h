#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace game {

// One coded text with its layout and progressive reveal, owned by the message window, the
// choice window and string pictures; RenderText lays it out and draws it. Pen positions and
// pixel widths are screen pixels; sizes, LineWidths and LineTops are logical units (one
// unit is Scale / 2 pixels). Positions are byte offsets into WorkingText.
class TextState {
  public:
    // Also makes the layer's standard font anti-aliased with thickness 0.
    TextState(int originX, int originY);

    // Starts a new layout from SourceText; RenderText calls it when SourceText changed.
    void ResetText();
    // One game update of the reveal.
    void AdvanceText();
    // Every byte revealed: trunc(Progress) + ControlBytes reaches the text's length.
    bool IsTextShown() const;
    // Records the current line's width, top and height; measure passes only.
    void RecordLineMetrics(int height);
    // A measure pass, then the widest line and the lowest line bottom (0, 0 without lines).
    void MeasureText(int& width, int& height);

    std::string WorkingText;
    std::string SourceText;
    // SourceText at the last layout; emptied by an owner to force a new layout.
    std::string LaidOutText;
    int OriginX = 0;
    int OriginY = 0;
    int PenX = 0;
    int PenY = 0;
    int LineIndex = 0;
    int ByteIndex = 0;
    int ColourNumber = 0;
    int FontSize = 24;
    int EdgeOn = 0;
    // Bytes per 30 frames of 60 Hz.
    double Speed = 240.0;
    // Non-control bytes revealed so far.
    double Progress = 0.0;
    double PreviousProgress = 0.0;
    std::uint8_t ShowAtOnce = 0;
    std::vector<int> LineWidths;
    std::vector<int> LineTops;
    std::vector<int> LineHeights;
    std::vector<int> LinePixelWidths;
    int FontSlot = 0;
    // Every line is one choice item.
    std::uint8_t ChoiceLayout = 0;
    std::uint8_t KeyWaitReached = 0;
    std::uint8_t CloseWithoutKey = 0;
    int TimedWaitEnd = 0;
    int TextWaitFrames = 0;
    int KeyWaitPosition = 0;
    int MaxLineWidth = 0;
    int MaxLinePixelWidth = 0;
    // Control-code bytes passed in the current pass; they cost no reveal progress.
    int ControlBytes = 0;
    int Scale = 1;
    // A failed text draw was reported in this layout: a draw pass runs every frame, so the
    // report is shown once until the next layout.
    std::uint8_t DrawFailureShown = 0;
};

// The font size the renderer uses for a requested size.
int ClampFontSize(int size);

}  // namespace game
