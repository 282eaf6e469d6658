#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <optional>

class QMessageBox;
class QWidget;

namespace hoardly {

inline constexpr auto kApplicationTitle = "Hoardly";

// Which of the program's modal boxes is shown.
enum class BoxKind {
    Info,     // a window's own box: caption, message, OK
    Plain,    // caption: the application title; OK
    Question, // caption, message, Yes and No
    Warning,  // the typed message dialogs, captioned with their type
    Error,
    Information,
    Confirm,
    ErrorBox, // the default error box: the text of an error no command caught
    Custom,   // a box with buttons of its own (the replace question of file copies)
};

enum class BoxIcon { None, Question, Exclamation, Warning, Error, Information };
enum class Answer { Ok, Yes, No, Cancel, YesToAll };

struct Box {
    BoxKind kind = BoxKind::Plain;
    QString caption;
    QString text;
    BoxIcon icon = BoxIcon::None;
    QList<Answer> buttons{Answer::Ok};
};

enum class FileRequestKind { Open, Save, Directory };

struct FileRequest {
    FileRequestKind kind = FileRequestKind::Open;
    QString caption;
    QString directory;
    QString filter;
    QString fileName;      // Save: the name proposed in the directory
    QString defaultSuffix; // Save: added to a name typed without one
};

struct TextRequest {
    QString caption;
    QString prompt;
    QString text;
    bool password = false;
};

// Every modal box and every file, directory and input dialog goes through this seam, so tests
// can read each box and answer it.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer show(QWidget* parent, const Box& box) = 0;
    // The chosen path, or empty when the user cancelled.
    virtual QString askFile(QWidget* parent, const FileRequest& request) = 0;
    // The typed text, or nothing when the user cancelled.
    virtual std::optional<QString> askText(QWidget* parent, const TextRequest& request) = 0;

    void info(QWidget* parent, const QString& caption, const QString& text);
    void message(QWidget* parent, const QString& text);
    bool question(QWidget* parent, const QString& caption, const QString& text,
                  BoxIcon icon = BoxIcon::Question);
    void warning(QWidget* parent, const QString& text);
    void error(QWidget* parent, const QString& text);
    void information(QWidget* parent, const QString& text);
    bool confirm(QWidget* parent, const QString& text);
    void errorBox(QWidget* parent, const QString& text);
};

// The window a box stands over: the one asked for while it is on the screen; otherwise the
// one the user is looking at, since a box over a hidden window shows where nobody looks.
QWidget* boxOwner(QWidget* requested);

// The real box for a Box, wide enough for the frame to show its whole caption.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const Box& box);

// The real boxes.
class QtDialogs final : public Dialogs {
public:
    Answer show(QWidget* parent, const Box& box) override;
    QString askFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> askText(QWidget* parent, const TextRequest& request) override;
};

} // namespace hoardly
