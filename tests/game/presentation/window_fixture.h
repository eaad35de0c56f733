#pragma once

// The message and choice windows driven update by update with scripted input, on the fake
// layer, with the auto-confirm test hook off. The system database names no window graphics
// unless a test gives them.

#include <string>
#include <vector>

#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/window_links.h"
#include "game/presentation/choice_window.h"
#include "game/presentation/message_window.h"
#include "game/presentation/sound_manager.h"
#include "game/presentation/window_closing.h"
#include "tests/game/presentation/text_fixture.h"
#include "tests/support/auto_confirm_scope.h"
#include "tests/support/sound_recorder.h"

namespace test {

// Type 10 of the system database: per record a file name and a frame count.
inline void SetWindowGraphics(const std::string& cursor, int cursorFrames, const std::string& frame,
                              const std::string& choiceCursor, int choiceCursorFrames) {
    game::SysDataBase.types.resize(13);
    game::DataBaseType& type = game::SysDataBase.types[10];
    type.contentCodes = {2000, 1000};
    type.records.clear();
    type.records.push_back({{cursorFrames}, {cursor}});
    type.records.push_back({{0}, {frame}});
    type.records.push_back({{choiceCursorFrames}, {choiceCursor}});
}

enum class Key { kNone, kConfirm, kCancel, kLeft, kRight, kUp, kDown, kClick, kRightClick };

inline game::InputState Input(Key key, int mouseX = 0, int mouseY = 0) {
    game::InputState input;
    input.confirmPressed = key == Key::kConfirm;
    input.cancelPressed = key == Key::kCancel;
    input.leftPressed = key == Key::kLeft;
    input.rightPressed = key == Key::kRight;
    input.repeatDirection4 = key == Key::kUp ? 8 : key == Key::kDown ? 2 : 0;
    input.mouseButtonsPressed[0] = key == Key::kClick;
    input.mouseButtonsPressed[1] = key == Key::kRightClick;
    input.mouseX = mouseX;
    input.mouseY = mouseY;
    return input;
}

class WindowTest : public TextTest {
  protected:
    // Sound effect entries answer handles of their own, so that the queue tells them apart.
    static constexpr int kEffectEntries = 16;
    static constexpr int kEffectHandleBase = 1000;

    SoundRecorder sounds_;

    void SetUp() override {
        TextTest::SetUp();
        SetWindowGraphics("", 1, "", "", 1);
        game::TheSoundManager = game::SoundManager();
        for (int number = 0; number < kEffectEntries; ++number)
            game::TheSoundManager.Handles[2][number] = kEffectHandleBase + number;
    }

    // The sound effects queued since the set-up, as entry numbers (-1 stops them all).
    static std::vector<int> QueuedEffects() {
        std::vector<int> numbers;
        for (int handle : game::TheSoundManager.EffectQueue.QueuedHandle)
            numbers.push_back(handle == -1 ? -1 : handle - kEffectHandleBase);
        return numbers;
    }

    // One update and one drawn frame in the frame loop's order; the log holds that frame.
    void Step(game::MessageWindow& message, game::ChoiceWindow& choice, Key key = Key::kNone,
              int mouseX = 0, int mouseY = 0) {
        game::TheInputState = Input(key, mouseX, mouseY);
        game::UpdateChoiceWindow(choice);
        game::UpdateMessageWindow(message);
        LayerLog().prints.clear();
        LayerLog().paints.clear();
        game::DrawMessageWindow(message);
        game::DrawChoiceWindow(choice);
    }

    // Shows a message linked to the interpreter, which waits for it.
    void ShowMessage(const std::string& text) {
        game::TheScreenState.messageText = text;
        game::LinkMessageWindow(game::TheScreenState, 1, &interpreter_);
        interpreter_.messageWait = true;
    }

    // Offers a choice whose result goes to branch slot 0 of the interpreter.
    void ShowChoice(const std::string& items, int count, int cancel = -1, int options = 0) {
        game::ScreenState& screen = game::TheScreenState;
        screen.choiceCount = count;
        screen.choiceCancelValue = cancel;
        screen.choiceOptions = options;
        screen.choiceText = items;
        game::LinkChoiceWindow(screen, 0, &interpreter_);
        interpreter_.messageWait = true;
    }

    game::EventInterpreter interpreter_;
    const AutoConfirmScope keys_{false};
};

}  // namespace test
