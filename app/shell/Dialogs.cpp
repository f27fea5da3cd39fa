#include "Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace corvel {

namespace {

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ToQt(MsgAnswer a) {
    switch (a) {
    case MsgAnswer::Ok:
        return QMessageBox::Ok;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    case MsgAnswer::Retry:
        return QMessageBox::Retry;
    case MsgAnswer::None:
        break;
    }
    return QMessageBox::NoButton;
}

MsgAnswer AnswerOf(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    default:
        break;
    }
    return MsgAnswer::None;
}

QString SelectFilter(const QString &filters, int index) {
    const QStringList list = filters.split(QStringLiteral(";;"));
    if (index < 1 || index > list.size()) index = 1;
    return list.value(index - 1);
}

int FilterIndex(const QString &filters, const QString &chosen) {
    const int i = filters.split(QStringLiteral(";;")).indexOf(chosen);
    return i < 0 ? 1 : i + 1;
}

class RealDialogs : public IDialogs {
public:
    MsgAnswer message(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                      MsgButtons buttons, MsgAnswer defaultButton) override {
        QMessageBox box(ToQt(icon), title, text, QMessageBox::NoButton, parent);
        box.setTextFormat(Qt::PlainText);
        switch (buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MsgButtons::RetryCancel:
            box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
            break;
        }
        if (QAbstractButton *b = box.button(ToQt(defaultButton)))
            box.setDefaultButton(qobject_cast<QPushButton *>(b));
        box.exec();
        // Only a button (or Escape and the window's close, which Qt turns
        // into the box's escape button) is an answer. A loop ended from
        // elsewhere, such as the application quitting, answers nothing.
        return AnswerOf(box.standardButton(box.clickedButton()));
    }

    bool input(QWidget *parent, const QString &prompt, const QString &title, const QString &initial,
               QString *value) override {
        bool ok = false;
        const QString v =
            QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
        if (ok) *value = v;
        return ok;
    }

    QString openFile(QWidget *parent, const QString &title, const QString &folder,
                     const QString &filters, int *filterIndex) override {
        QString selected = SelectFilter(filters, filterIndex ? *filterIndex : 1);
        const QString f = QFileDialog::getOpenFileName(parent, title, folder, filters, &selected);
        if (!f.isEmpty() && filterIndex) *filterIndex = FilterIndex(filters, selected);
        return f;
    }

    QString saveFile(QWidget *parent, const QString &title, const QString &path,
                     const QString &filters, int *filterIndex) override {
        QString selected = SelectFilter(filters, filterIndex ? *filterIndex : 1);
        const QString f = QFileDialog::getSaveFileName(parent, title, path, filters, &selected);
        if (!f.isEmpty() && filterIndex) *filterIndex = FilterIndex(filters, selected);
        return f;
    }

    QString chooseFolder(QWidget *parent, const QString &title, const QString &folder) override {
        return QFileDialog::getExistingDirectory(parent, title, folder);
    }

    bool chooseColour(QWidget *parent, const QString &title, int initial, int *chosen) override {
        const QColor in(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
        const QColor c = QColorDialog::getColor(in, parent, title);
        if (!c.isValid()) return false;
        *chosen = c.red() + 256 * c.green() + 65536 * c.blue();
        return true;
    }

    bool chooseFont(QWidget *parent, const QString &title, const QFont &initial,
                    QFont *chosen) override {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, initial, parent, title);
        if (ok) *chosen = f;
        return ok;
    }
};

IDialogs *&Installed() {
    static IDialogs *d = nullptr;
    return d;
}

} // namespace

IDialogs &Dialogs() {
    static RealDialogs real;
    return Installed() ? *Installed() : real;
}

void SetDialogs(IDialogs *d) {
    Installed() = d;
}

MsgAnswer Message(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                  MsgButtons buttons, MsgAnswer defaultButton) {
    return Dialogs().message(parent, text, title, icon, buttons, defaultButton);
}

QString ErrorText(const QString &text, int number, const QString &description) {
    return text + QStringLiteral("\r\n\r\nErro ") + QString::number(number) + QStringLiteral(" (") +
           description + QLatin1Char(')');
}

} // namespace corvel
