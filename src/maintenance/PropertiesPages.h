#pragma once

#include "BackupsGroup.h"

#include <QList>
#include <QString>

class QWidget;

namespace hoardly {

class PasswordPrompt;
class PropertiesPage;
struct AppContext;

// What the pages of the properties window are built from.
struct PropertiesParts {
    AppContext& context;
    PasswordPrompt& currentPasswordPrompt; // asked before the main password is changed
    BackupActions backupActions;
};

struct PropertiesPageKind {
    QString title;
    PropertiesPage* (*build)(const PropertiesParts& parts, QWidget* parent);
};

// The tabs of the properties window, left to right; the window opens on the first.
const QList<PropertiesPageKind>& propertiesPageKinds();

} // namespace hoardly
