#pragma once

// A call-logging stand-in for the layer's picture draw entries: every call is one line of
// text, so that a test compares what a picture drew with a list of the calls it expects.

#include <cstdio>
#include <string>
#include <vector>

#include "game/presentation/picture_layer_calls.h"

namespace test {

inline std::vector<std::string>& PictureCalls() {
    static std::vector<std::string> calls;
    return calls;
}

// Installs the fake for the scope, with an empty log.
class FakePictureLayer {
  public:
    FakePictureLayer() : previous_(game::ThePictureLayerCalls) {
        PictureCalls().clear();
        game::ThePictureLayerCalls = {
            [](int mode, int parameter) { return Log("blend %d %d", mode, parameter); },
            [](int red, int green, int blue) { return Log("bright %d %d %d", red, green, blue); },
            [](int x1, int y1, int x2, int y2, int graph, int) {
                return Log("paint %d %d %d %d g%d", x1, y1, x2, y2, graph);
            },
            [](int x, int y, double scale, double angle, int graph, int, int) {
                return Log("rotate %d %d %.3f %.4f g%d", x, y, scale, angle, graph);
            },
        };
    }
    ~FakePictureLayer() { game::ThePictureLayerCalls = previous_; }
    FakePictureLayer(const FakePictureLayer&) = delete;
    FakePictureLayer& operator=(const FakePictureLayer&) = delete;

  private:
    template <typename... Values>
    static int Log(const char* format, Values... values) {
        char line[128];
        std::snprintf(line, sizeof line, format, values...);
        PictureCalls().push_back(line);
        return 0;
    }

    game::PictureLayerCalls previous_;
};

}  // namespace test
