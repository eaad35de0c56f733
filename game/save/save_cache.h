#pragma once

namespace game {

// The save slots the save commands act on, read from their files when first used.
class SaveCache {};

extern SaveCache TheSaveCache;

}  // namespace game
