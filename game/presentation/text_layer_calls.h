#pragma once

namespace game {

// The layer's font, text and draw entries that the text renderer, the font cache, the icons
// and the two windows call. They go through this table so that tests can log the calls and
// answer with fixed metrics; the default entries are the layer's own.
struct TextLayerCalls {
    int (*SetStandardFontType)(int type);
    int (*SetStandardFontThickness)(int thickness);
    int (*SetStandardFontFace)(const char* face, int charset);
    int (*OpenFontHandle)(const char* face, int size, int thickness, int type, int charset,
                          int edgeSize, int italic, int handleSlot, int flag);
    int (*ResetFonts)();
    int (*GetInstalledFontNames)(char (*names)[64], int maxCount, int flag);
    int (*MeasureTextWidthWithFont)(const char* text, int length, int font, int vertical);
    int (*PrintTextWithFont)(int x, int y, const char* text, int colour, int font, int edgeColour,
                             int vertical);
    int (*PrintTextScaledWithFont)(int x, int y, double scaleX, double scaleY, const char* text,
                                   int colour, int font, int edgeColour, int vertical);
    int (*MakeScreenColor)(int red, int green, int blue);
    int (*PaintGraphStretched)(int x1, int y1, int x2, int y2, int graph, int transparent);
    int (*PaintGraphPart)(int x, int y, int sourceX, int sourceY, int width, int height, int graph,
                          int transparent, int mirror);
    int (*GetGraphExtent)(int graph, int* width, int* height);
    int (*CreateSubGraph)(int x, int y, int width, int height, int sourceGraph);
    int (*RemoveGraph)(int graph, int logFlag);
    int (*ChangeBlendMode)(int mode, int parameter);
};

// The layer's entries.
TextLayerCalls LayerTextCalls();

extern TextLayerCalls TheTextLayerCalls;

}  // namespace game
