#pragma once

// The commands of the main window without the window: the file drop, the
// reload commands, the speed box, the clipboard button, the animation
// buttons, the display control's surface events and the idle step. The Qt
// window and the headless driver both forward their events here. Errors are
// raised to the caller, which hands them to the error report.

#include "character/CharacterTables.h"
#include "form/FormControls.h"
#include "platform/Clock.h"
#include "platform/FileWatch.h"
#include "playback/Player.h"

#include <functional>
#include <memory>
#include <string>

class TDirectDraw;
class TDirectDrawSurface;

namespace playback {

class FormLogic {
public:
    // `clock` tells when a changed file has settled; tests hand in their own.
    FormLogic(form::FormControls& form, PlayerHost& host,
        const platform::RealClock& clock = platform::systemClock());
    // Frees the sheet surface if the surface-finalised event has not; its
    // TDirectDraw must still exist then.
    ~FormLogic();
    FormLogic(const FormLogic&) = delete;
    FormLogic& operator=(const FormLogic&) = delete;

    void FormCreate();

    // A file dropped on the window (or named at start): the path is used whole.
    void drop(const std::string& path);
    void fileload(const std::string& path);
    void reloadClick();
    void CGreloadClick();
    void autocgloadClick();
    void autodefloadClick();
    void clipperClick();
    // The player commands of the view menu.
    void pauseplayClick();
    void stepnextClick();
    void stepbackClick();
    void restartClick();
    // A frame picked from a list of the animation's frames: paused on it, as
    // the menu's steps leave the player.
    void stepToFrame(std::int32_t index);
    void Edit1Change();
    // Any animation button or buttonck; other controls are ignored.
    void buttonClick(form::Control button);
    // A click on a control or menu item: the command it stands for, the same
    // in the window and in the headless driver. A disabled control, or one
    // without a command, ignores the click.
    void press(form::Control control);
    void DXDraw1InitializeSurface(TDirectDraw& directDraw);
    void DXDraw1FinalizeSurface();

    void idle(bool& done) { m_player.idleStep(done); }

    // The player's reload of whatever changed on disk: the definition file
    // while autodefload is checked, then the sheet while autocgload is.
    void automaticReload();

    // Called after every load of the definition file, failed ones included:
    // the drop, the reload command and the automatic reload.
    void setLoadObserver(std::function<void()> observer) { m_loaded = std::move(observer); }

    character::CharacterState& state() { return *m_state; }
    const character::CharacterState& state() const { return *m_state; }
    Player& player() { return m_player; }
    const Player& player() const { return m_player; }
    const std::string& definitionPath() const { return m_definitionPath; }
    TDirectDrawSurface* sheetSurface() const { return m_sheet; }

private:
    // The sheet reload of the command, into the surface shown, with the
    // stamp taken before the read.
    void sheetReload(const platform::FileStamp& stamp);
    // The automatic reload of the sheet: into a new surface, put in place
    // only when the image loads whole and not empty.
    void automaticSheetReload(const platform::FileStamp& stamp);
    bool watchingSheet() const;
    void automaticDefinitionReload();
    // `command` is called with the player.
    template <typename Command> void playerCommand(Command command);
    // Runs a load and tells the observer afterwards, whatever its outcome.
    template <typename Load> void observedLoad(Load load)
    {
        try {
            load();
        } catch (...) {
            if (m_loaded)
                m_loaded();
            throw;
        }
        if (m_loaded)
            m_loaded();
    }

    form::FormControls& m_form;
    // The tables are large; they are made once and live as long as the window.
    std::unique_ptr<character::CharacterState> m_state;
    Player m_player;
    std::string m_definitionPath;
    platform::FileStamp m_definitionStamp;
    platform::FileWatch m_definitionWatch;
    platform::FileWatch m_sheetWatch;
    // Made on the display's TDirectDraw, which keeps a registry of it; freed
    // here before the TDirectDraw goes.
    TDirectDrawSurface* m_sheet = nullptr;
    std::function<void()> m_loaded;
};

} // namespace playback
