#pragma once

#include <QString>

// Who made the program and where to find them: the one place these texts live. Every value is a
// placeholder that belongs to no real person or service, and the QR pictures in resources/ encode the
// same placeholders, so a change here goes together with resources/render.sh.

// The site's host, without a scheme: the status bar and some links hand it over as it is.
inline const QString SiteAddress = QStringLiteral("www.example.org");
inline const QString HomePageUrl = QStringLiteral("http://") + SiteAddress;
inline const QString DonationPageUrl = HomePageUrl + QStringLiteral("/?page_id=20");
inline const QString CatalogPageUrl = HomePageUrl + QStringLiteral("/?page_id=10");

// The title of the site's section that lists the maker's programs.
inline const QString CatalogSectionName = QStringLiteral("Catalog");

inline const QString DeveloperTitleLatin = QStringLiteral("Dr.");
inline const QString DeveloperNameLatin = QStringLiteral("X. Sample");
// "某某" reads as "so-and-so".
inline const QString DeveloperNameChinese = QStringLiteral("某某");
inline const QString DeveloperTitleChinese = QStringLiteral("博士");

inline const QString DeveloperEmail = QStringLiteral("developer@example.org");
// QQ numbers start at 10000, so this one belongs to nobody. The About label has room for little more.
inline const QString DeveloperQQ = QStringLiteral("00000 (fake)");
inline const QString WeChatAccount = QStringLiteral("tolvane-placeholder");
