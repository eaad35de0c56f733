#include "game/presentation/text_resources.h"

namespace game {

TextResources TheTextResources;

}  // namespace game
