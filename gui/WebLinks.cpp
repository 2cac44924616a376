#include "WebLinks.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

WebAddressOpener& replacedOpener()
{
    static WebAddressOpener opener;
    return opener;
}

} // namespace

void openWebAddress(QWidget* owner, const QString& address)
{
    if (const WebAddressOpener& opener = replacedOpener()) {
        opener(owner, address);
        return;
    }
    // The desktop's URL handler has no notion of an owner window. fromUserInput turns a bare host into
    // an http address; QUrl alone would take it for a relative file path. The result is not looked at:
    // a link that does not open is no error of ours.
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void setWebAddressOpenerForTesting(WebAddressOpener opener)
{
    replacedOpener() = std::move(opener);
}
