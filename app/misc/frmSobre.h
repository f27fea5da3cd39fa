#pragma once
// The about box "Sobre": the picture "Corvel.pht" of the program folder (or a
// grey background with two labels when it is missing), the program's and the
// editor component's versions; a click anywhere closes it.
#include <QDialog>

class QLabel;
class frmMain;

class frmSobre : public QDialog {
    Q_OBJECT
public:
    explicit frmSobre(QWidget *parent = nullptr);

    // Fills the box: picture (the file picture, "" for none), program version
    // and the control library file whose version is shown ("" for none).
    void Form_Load(const QString &picture, const QString &controlLibrary);
    // Whether the picture was loaded (else the fallback shows).
    bool HasPicture() const { return m_hasPicture; }

    QLabel *imgFundo = nullptr;
    QLabel *lblNoPHT1 = nullptr;
    QLabel *lblNoPHT2 = nullptr;
    QLabel *lblVersao = nullptr;
    QLabel *lblClique = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_hasPicture = false;
};

// The four-part version written into the control library ("" when the file
// is missing or holds none).
QString ControlLibraryVersion(const QString &libraryFile);
// The picture of the program folder, "" when there is none.
QString AboutPicturePath();

// The about box, modal, owned by the main window.
void ShowAboutBox(frmMain &m);
