#pragma once

#include <QFont>
#include <QObject>

// The forms are laid out for MS Sans Serif and Tahoma, and the charts for Verdana, their labels just as
// wide as their captions in them. Where a face is missing, a metric look-alike stands in: Liberation Sans
// Narrow for MS Sans Serif, Liberation Sans for Tahoma, DejaVu Sans for Verdana. An installed face always
// wins.
//
// The stand-in is asked for by name rather than left for the font system to find: looking up a family
// that is not installed makes Qt rank every installed face, once per family and again for each of its
// stand-ins, a large part of what the program added to starting up.
class FontStandIns : public QObject
{
public:
    explicit FontStandIns(QObject* parent = nullptr);

    // `family` where it is installed or nothing stands in for it; its stand-in otherwise.
    static QString family(const QString& family);
    // `font` in the family that `family` gives for its first family, everything else kept.
    static QFont resolve(const QFont& font);

protected:
    // Installed on the application: a widget given a missing face takes its stand-in at once, before
    // any text in it or its children is laid out.
    bool eventFilter(QObject* watched, QEvent* event) override;
};
