#include "ui/ChoosePrefixCommand.h"

#include <QMetaObject>

#include "ui/CDrennowApp.h"

namespace ui {

void RunChoosePrefixCommand() {
    CDrennowApp* app = CDrennowApp::Instance();
    if (!app) return;
    const PrefixOffer offer = app->ChooseAmong(
        platform::discovery::DiscoverPrefixes(platform::discovery::PlacesFromEnvironment()));
    if (offer.action == PrefixOffer::Action::Quit) return;
    QMetaObject::invokeMethod(app, [app, offer] { app->SwitchPrefix(offer); }, Qt::QueuedConnection);
}

}  // namespace ui
