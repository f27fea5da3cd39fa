#include "frmSobre.h"

#include "AppInfo.h"
#include "ControlHost.h"
#include "Folders.h"
#include "HelpPages.h"
#include "frmMain.h"

#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonObject>
#include <QLabel>
#include <QMouseEvent>
#include <QPluginLoader>
#include <QStackedLayout>
#include <QVBoxLayout>

using namespace corvel;

frmSobre::frmSobre(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSobre"));
    setWindowTitle(QStringLiteral("Sobre"));
    // The picture and the labels lie under lblClique, which takes the click.
    auto *stack = new QStackedLayout(this);
    stack->setStackingMode(QStackedLayout::StackAll);
    stack->setContentsMargins(0, 0, 0, 0);

    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("Fundo"));
    content->setAttribute(Qt::WA_StyledBackground);
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(24, 20, 24, 16);
    imgFundo = new QLabel(content);
    imgFundo->setObjectName(QStringLiteral("imgFundo"));
    imgFundo->setAlignment(Qt::AlignCenter);
    column->addWidget(imgFundo, 1);
    lblNoPHT1 = new QLabel(QStringLiteral("CORVEL 5"), content);
    lblNoPHT1->setObjectName(QStringLiteral("lblNoPHT1"));
    QFont big = lblNoPHT1->font();
    big.setPointSize(big.pointSize() + 14);
    big.setBold(true);
    lblNoPHT1->setFont(big);
    lblNoPHT1->setAlignment(Qt::AlignCenter);
    column->addWidget(lblNoPHT1);
    lblNoPHT2 = new QLabel(
        QStringLiteral("O editor HTML 100% nacional e 100% gratuito CORVEL.PHT faltando"), content);
    lblNoPHT2->setObjectName(QStringLiteral("lblNoPHT2"));
    lblNoPHT2->setAlignment(Qt::AlignCenter);
    lblNoPHT2->setWordWrap(true);
    column->addWidget(lblNoPHT2);
    column->addStretch(1);
    lblVersao = new QLabel(content);
    lblVersao->setObjectName(QStringLiteral("lblVersao"));
    lblVersao->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    column->addWidget(lblVersao);
    for (QLabel *l : {lblNoPHT1, lblNoPHT2, lblVersao})
        l->setTextFormat(Qt::PlainText);

    lblClique = new QLabel(this);
    lblClique->setObjectName(QStringLiteral("lblClique"));
    lblClique->setCursor(Qt::PointingHandCursor);
    lblClique->installEventFilter(this);
    stack->addWidget(content);
    stack->addWidget(lblClique);
    stack->setCurrentWidget(lblClique);
    setMinimumSize(420, 280);
}

void frmSobre::Form_Load(const QString &picture, const QString &controlLibrary) {
    m_hasPicture = false;
    if (!picture.isEmpty()) {
        QImageReader reader(picture);
        reader.setDecideFormatFromContent(true);
        const QImage image = reader.read();
        if (!image.isNull()) {
            imgFundo->setPixmap(QPixmap::fromImage(image));
            m_hasPicture = true;
        }
    }
    imgFundo->setVisible(m_hasPicture);
    lblNoPHT1->setVisible(!m_hasPicture);
    lblNoPHT2->setVisible(!m_hasPicture);
    const QString colour = m_hasPicture ? QString() : QStringLiteral("rgb(77, 77, 77)");
    findChild<QWidget *>(QStringLiteral("Fundo"))
        ->setStyleSheet(m_hasPicture ? QString()
                                     : QStringLiteral("#Fundo { background: %1; } "
                                                      "QLabel { color: white; }")
                                           .arg(colour));
    lblVersao->setText(AboutVersionText(VersionText(), ControlLibraryVersion(controlLibrary)));
    adjustSize();
}

bool frmSobre::eventFilter(QObject *watched, QEvent *event) {
    if (watched == lblClique && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QString ControlLibraryVersion(const QString &libraryFile) {
    if (libraryFile.isEmpty() || !QFileInfo(libraryFile).isFile()) return QString();
    // The version travels in the plugin's metadata: read without loading it.
    const QJsonObject meta =
        QPluginLoader(libraryFile).metaData().value(QStringLiteral("MetaData")).toObject();
    return FourPartVersion(meta.value(QStringLiteral("Version")).toString());
}

QString AboutPicturePath() {
    for (const QString &folder : {ProgramFolder(), InstallationFolder()}) {
        const QString path = folder + QStringLiteral("/Corvel.pht");
        if (QFileInfo(path).isFile()) return path;
    }
    return QString();
}

void ShowAboutBox(frmMain &m) {
    frmSobre box(&m);
    box.Form_Load(AboutPicturePath(), ControlLibraryPath());
    box.exec();
}
