#include "game/map/graph_restore.h"

#include "game/core/game_folder.h"
#include "game/map/image_cache.h"
#include "game/presentation/choice_window.h"
#include "game/presentation/message_window.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/text_resources.h"
#include "layer/core/layer_api.h"

namespace game {

void RestoreGraphics(int) {
    layer::ChangeCurrentFolder(GameFolder.c_str());
    layer::ReloadAllGraphs();
    if (TheChoiceWindow != nullptr)
        LoadChoiceWindowSkin(*TheChoiceWindow);
    if (TheMessageWindow != nullptr)
        LoadMessageWaitCursor(*TheMessageWindow);
    TheImageCache.ReLoadGraphic();
    LoadIcons(TheTextResources);
    RePictureControl(ThePictureList);
}

}  // namespace game
