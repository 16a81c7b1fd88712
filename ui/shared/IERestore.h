#pragma once
// The IE Restore dialog's rules for both desktop programs: what it shows at start, what each
// check box and radio button enables, and what each Apply writes.
#include "engine/Host.h"
#include "platform/Services.h"
#include "platform/codepage/Codepage.h"
#include "repair/BrowserSettings.h"
#include "ui/res/Layouts.h"
#include "ui/shared/DialogFace.h"

namespace ui::shared {

class IERestoreLogic {
public:
    IERestoreLogic(platform::Services& services, engine::Host& host, DialogFace& face)
        : services_(services), host_(host), face_(face) {}

    // The edits show what the registry holds now; nothing is ticked, so the edits and the
    // Apply buttons wait. The lock state is never read: neither radio button shows it.
    void Start() {
        const repair::BrowserSettings settings = repair::ReadBrowserSettings(services_);
        for (int edit : {res::kIEHomeEdit, res::kIETitleEdit})
            face_.LimitText(edit, static_cast<int>(repair::kMaxSettingLength));
        face_.SetText(res::kIEHomeEdit, platform::codepage::AnsiToUtf16(settings.startPage));
        face_.SetText(res::kIETitleEdit, platform::codepage::AnsiToUtf16(settings.windowTitle));
        for (int id : {res::kIEHomeEdit, res::kIEHomeApply, res::kIETitleEdit, res::kIETitleApply,
                       res::kIELockApply})
            face_.Enable(id, false);
    }

    // Runs the command of a control or key; true when the dialog is to end.
    bool Command(int id) {
        switch (id) {
        case res::kIEHomeBox: FollowBox(id, res::kIEHomeEdit, res::kIEHomeApply); return false;
        case res::kIETitleBox: FollowBox(id, res::kIETitleEdit, res::kIETitleApply); return false;
        case res::kIELock: Choose(res::kIELock, res::kIEUnlock); return false;
        case res::kIEUnlock: Choose(res::kIEUnlock, res::kIELock); return false;
        case res::kIEHomeApply:
            repair::ApplyHomePage(services_, host_, Ansi(res::kIEHomeEdit));
            return false;
        case res::kIETitleApply:
            repair::ApplyWindowTitle(services_, host_, Ansi(res::kIETitleEdit));
            return false;
        case res::kIELockApply:
            repair::ApplyRegeditLock(services_, host_, face_.Checked(res::kIELock));
            return false;
        case res::kIEClose: return true;
        case res::kEscapeKey: return res::EscapeCloses(res::kIERestoreDialog);
        // Enter presses no button here.
        default: return false;
        }
    }

private:
    // A check box enables its edit and Apply while it is ticked; the edit keeps its text.
    void FollowBox(int box, int edit, int apply) {
        const bool ticked = face_.Checked(box);
        face_.Enable(edit, ticked);
        face_.Enable(apply, ticked);
    }
    // Each radio button is a group of its own: choosing one clears the other.
    void Choose(int chosen, int other) {
        face_.Check(chosen, true);
        face_.Check(other, false);
        face_.Enable(res::kIELockApply, true);
    }
    std::string Ansi(int edit) const { return platform::codepage::Utf16ToAnsi(face_.Text(edit)); }

    platform::Services& services_;
    engine::Host& host_;
    DialogFace& face_;
};

}  // namespace ui::shared
