#pragma once

#include <QString>

#include <functional>

class QWidget;

// Hands a web address to the desktop for the owner window and returns at once: nothing waits for the
// browser and a failure to open shows nothing. A host name without a scheme ("www.example.org") still
// opens as a web page.
void openWebAddress(QWidget* owner, const QString& address);

using WebAddressOpener = std::function<void(QWidget* owner, const QString& address)>;

// For tests only: every later openWebAddress goes to `opener`, with the owner and the address exactly
// as given, instead of to the desktop. An empty function gives the desktop back.
void setWebAddressOpenerForTesting(WebAddressOpener opener);
