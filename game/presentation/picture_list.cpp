#include "game/presentation/picture_list.h"

namespace game {

PictureList ThePictureList;

}  // namespace game
