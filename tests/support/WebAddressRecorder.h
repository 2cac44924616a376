#pragma once

#include "WebLinks.h"

#include <QList>
#include <QString>

#include <utility>

class QWidget;

// Stands in for the desktop while it lives, so no test opens a browser: records every web address
// handed over, exactly as given, with its owner window.
class WebAddressRecorder
{
public:
    struct HandedOver
    {
        QWidget* owner = nullptr;
        QString address;
    };

    WebAddressRecorder()
    {
        setWebAddressOpenerForTesting([this](QWidget* owner, const QString& address) {
            seen_.append({owner, address});
        });
    }
    ~WebAddressRecorder() { setWebAddressOpenerForTesting({}); }
    WebAddressRecorder(const WebAddressRecorder&) = delete;
    WebAddressRecorder& operator=(const WebAddressRecorder&) = delete;

    // The addresses handed over since the last call, oldest first.
    QList<HandedOver> take() { return std::exchange(seen_, {}); }

private:
    QList<HandedOver> seen_;
};
