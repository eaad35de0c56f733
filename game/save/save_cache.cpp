#include "game/save/save_cache.h"

namespace game {

SaveCache TheSaveCache;

}  // namespace game
