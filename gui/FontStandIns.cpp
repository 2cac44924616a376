#include "FontStandIns.h"

#include <QEvent>
#include <QFontDatabase>
#include <QSet>
#include <QWidget>

#include <array>
#include <utility>

namespace {

const std::array<std::pair<QLatin1StringView, QLatin1StringView>, 3> StandIns{{
    {QLatin1StringView("MS Sans Serif"), QLatin1StringView("Liberation Sans Narrow")},
    {QLatin1StringView("Tahoma"), QLatin1StringView("Liberation Sans")},
    {QLatin1StringView("Verdana"), QLatin1StringView("DejaVu Sans")},
}};

bool isInstalled(const QString& family)
{
    // Read once: fonts installed while the program runs are not looked for.
    static const QSet<QString> installed = [] {
        QSet<QString> names;
        const QStringList families = QFontDatabase::families();
        for (const QString& name : families)
            names.insert(name.toCaseFolded());
        return names;
    }();
    return installed.contains(family.toCaseFolded());
}

} // namespace

FontStandIns::FontStandIns(QObject* parent) : QObject(parent) {}

QString FontStandIns::family(const QString& family)
{
    for (const auto& [missing, standIn] : StandIns) {
        if (family.compare(missing, Qt::CaseInsensitive) != 0)
            continue;
        if (isInstalled(family) || !isInstalled(standIn))
            return family;
        return standIn;
    }
    return family;
}

QFont FontStandIns::resolve(const QFont& font)
{
    const QStringList families = font.families();
    if (families.isEmpty())
        return font;
    const QString standIn = family(families.first());
    if (standIn == families.first())
        return font;
    QFont resolved = font;
    resolved.setFamilies({standIn});
    return resolved;
}

bool FontStandIns::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FontChange && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        // Only a font set on the widget itself: an inherited one was resolved where it was set.
        if (widget->testAttribute(Qt::WA_SetFont)) {
            const QFont font = widget->font();
            const QFont resolved = resolve(font);
            // Setting it sends a second change, which finds nothing more to do.
            if (resolved.families() != font.families())
                widget->setFont(resolved);
        }
    }
    return QObject::eventFilter(watched, event);
}
