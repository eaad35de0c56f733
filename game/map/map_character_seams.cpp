#include "game/map/map_character_seams.h"

#include "game/map/character_sprite.h"
#include "game/map/event_character.h"
#include "game/map/map_state.h"
#include "game/map/map_view.h"
#include "game/map/party.h"

namespace game {
namespace {

using Owner = CharacterSprite::Owner;
using Kind = DrawOrderEntry::Kind;

DrawOrderEntry EntryOf(const MapCharacter& character, Kind kind, int item) {
    return {kind, item, GetCharacterFootScreenY(character, true), character.spriteCellHeight};
}

Kind EventKind(const EventCharacter& event) {
    if (event.drawOnTop != 0)
        return Kind::kOnTopEvent;
    return event.passThrough != 0 ? Kind::kPassThroughEvent : Kind::kEvent;
}

}  // namespace

void UpdateMapCharacters(MapState& mapState) {
    // By index: an event's parallel page may change the list under the loop.
    for (std::size_t i = 0; i < mapState.eventCharacters.size(); ++i)
        UpdateEventCharacter(mapState.eventCharacters[i]);
}

void PlaceHeroAfterTransfer(int x, int y) {
    Party& hero = TheParty;
    PlaceCharacterAndCenterView(hero, x, y, 1);
    if (hero.walkingAnimation != 0 || hero.steppingAnimation != 0)
        hero.pattern = hero.standPattern;
    hero.animationAccumulator = 0.0;
    hero.appliedShadow = -1;
}

void GatherPartyAfterTransfer() {
    GatherParty(TheParty);
}

void BuildCharacterSprites(MapView& mapView) {
    CharacterSprites& sprites = mapView.sprites;
    sprites.events.clear();
    for (std::size_t i = 0; i < TheMapState.eventCharacters.size(); ++i)
        sprites.events.emplace_back(Owner::kEvent, static_cast<int>(i));
    sprites.hero = CharacterSprite(Owner::kHero, 0);
    sprites.members.clear();
    for (std::size_t n = 0; n < TheParty.members.size(); ++n)
        sprites.members.emplace_back(Owner::kMember, static_cast<int>(n));
}

std::vector<DrawOrderEntry> CollectDrawOrderEntries(const MapView&) {
    std::vector<DrawOrderEntry> entries;
    const auto& events = TheMapState.eventCharacters;
    for (std::size_t i = 0; i < events.size(); ++i)
        entries.push_back(EntryOf(events[i], EventKind(events[i]), static_cast<int>(i)));
    entries.push_back(EntryOf(TheParty, Kind::kHero, kHeroItem));
    for (std::size_t n = 0; n < TheParty.members.size(); ++n)
        entries.push_back(
            EntryOf(TheParty.members[n], Kind::kPartyMember, kHeroItem - 1 - static_cast<int>(n)));
    return entries;
}

void DrawSpriteItem(MapView& mapView, int item) {
    CharacterSprites& sprites = mapView.sprites;
    if (item >= 0) {
        if (static_cast<std::size_t>(item) < sprites.events.size())
            DrawCharacterSprite(sprites.events[static_cast<std::size_t>(item)]);
    } else if (item == kHeroItem) {
        DrawCharacterSprite(sprites.hero);
    } else {
        const auto member = static_cast<std::size_t>(kHeroItem - 1 - item);
        if (member < sprites.members.size())
            DrawCharacterSprite(sprites.members[member]);
    }
}

}  // namespace game
