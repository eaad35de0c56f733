#pragma once

namespace layer {

// Started with every graphics management start and ended with its end. Both return 0.
int StartFontSystem();
int EndFontSystem();

}  // namespace layer
