#pragma once

// A call-logging stand-in for the layer's text and draw entries: every byte of text is
// kAdvance pixels wide, fonts are numbered from 1 (faces in `failingFaces` cannot be made),
// graphs are kGraphSize pixels square unless `extents` says otherwise.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/presentation/text_layer_calls.h"

namespace test {

inline constexpr int kAdvance = 10;
inline constexpr int kGraphSize = 24;

struct TextLayerLog {
    struct Print {
        int x, y;
        std::string text;
        int colour, font;
        bool scaled;
    };
    struct Paint {
        int x1, y1, x2, y2, graph;
    };
    struct Part {
        int x, y, sourceX, sourceY, width, height, graph;
    };
    struct Font {
        std::string face;
        int size, thickness, type, charset;
    };

    std::vector<Print> prints;
    std::vector<Paint> paints;
    std::vector<Part> parts;
    std::vector<Font> fonts;
    std::vector<int> removed;
    std::vector<std::pair<int, int>> blendModes;
    int resets = 0;
    int nextFont = 1;
    int nextGraph = 500;
    int printResult = 0;
    std::vector<std::string> installed;
    std::set<std::string> failingFaces;
    std::map<int, std::pair<int, int>> extents;

    // The texts printed, in order, without shadows.
    std::string PrintedText(int skipColour = -1) const {
        std::string text;
        for (const Print& print : prints) {
            if (print.colour != skipColour)
                text += print.text;
        }
        return text;
    }
};

inline TextLayerLog& LayerLog() {
    static TextLayerLog log;
    return log;
}

// Installs the fake for the scope, with an empty log.
class FakeTextLayer {
  public:
    FakeTextLayer() {
        LayerLog() = TextLayerLog{};
        game::TheTextLayerCalls = {
            [](int) { return 0; },
            [](int) { return 0; },
            [](const char*, int) { return 0; },
            [](const char* face, int size, int thickness, int type, int charset, int, int, int,
               int) {
                TextLayerLog& log = LayerLog();
                log.fonts.push_back({face, size, thickness, type, charset});
                return log.failingFaces.contains(face) ? -1 : log.nextFont++;
            },
            [] {
                ++LayerLog().resets;
                return 0;
            },
            [](char(*names)[64], int maxCount, int) {
                const std::vector<std::string>& installed = LayerLog().installed;
                if (names == nullptr)
                    return static_cast<int>(installed.size());
                int count = 0;
                for (; count < maxCount && count < static_cast<int>(installed.size()); ++count)
                    installed[static_cast<std::size_t>(count)].copy(names[count], 63);
                return count;
            },
            [](const char*, int length, int, int) { return length * kAdvance; },
            [](int x, int y, const char* text, int colour, int font, int, int) {
                LayerLog().prints.push_back({x, y, text, colour, font, false});
                return LayerLog().printResult;
            },
            [](int x, int y, double, double, const char* text, int colour, int font, int, int) {
                LayerLog().prints.push_back({x, y, text, colour, font, true});
                return 0;
            },
            [](int red, int green, int blue) { return red << 16 | green << 8 | blue; },
            [](int x1, int y1, int x2, int y2, int graph, int) {
                LayerLog().paints.push_back({x1, y1, x2, y2, graph});
                return 0;
            },
            [](int x, int y, int sourceX, int sourceY, int width, int height, int graph, int, int) {
                LayerLog().parts.push_back({x, y, sourceX, sourceY, width, height, graph});
                return 0;
            },
            [](int graph, int* width, int* height) {
                const auto& extents = LayerLog().extents;
                const auto found = extents.find(graph);
                *width = found == extents.end() ? kGraphSize : found->second.first;
                *height = found == extents.end() ? kGraphSize : found->second.second;
                return 0;
            },
            [](int, int, int, int, int) { return LayerLog().nextGraph++; },
            [](int graph, int) {
                LayerLog().removed.push_back(graph);
                return 0;
            },
            [](int mode, int parameter) {
                LayerLog().blendModes.emplace_back(mode, parameter);
                return 0;
            },
        };
    }
    ~FakeTextLayer() { game::TheTextLayerCalls = game::LayerTextCalls(); }
    FakeTextLayer(const FakeTextLayer&) = delete;
    FakeTextLayer& operator=(const FakeTextLayer&) = delete;
};

}  // namespace test
