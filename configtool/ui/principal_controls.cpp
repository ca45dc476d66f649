// The main window's controls, menus and the captions the language files set.
#include "configtool/ui/principal.h"

#include "common/ui/windowflags.h"
#include "configtool/addedmessages.h"
#include "configtool/receivedisplay.h"
#include "configtool/ui/toolbaricons.h"

#include <algorithm>

#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace configtool {

namespace {
constexpr int clientWidth = 792;
constexpr int clientHeight = 554;
constexpr int toolBarHeight = 60;
constexpr QSize buttonSize(115, 52);
constexpr int instrumentCount = 8;

// Qt flips a checkable item before its handler runs. These handlers tick their
// items themselves, and only once the command went out, so the flip is undone.
template <typename Handler>
void onItemTriggered(QAction *item, QObject *context, Handler handler)
{
    QObject::connect(item, &QAction::triggered, context, [item, handler](bool checked) {
        item->setChecked(!checked);
        handler();
    });
}
} // namespace

TForm1::TForm1(SetrixServices &services, QWidget *parent)
    : QMainWindow(parent),
      m_services(services),
      m_link(services.link),
      m_settings(services.settings),
      m_language(services.language),
      m_texts(services.texts)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Setrix"));
    setWindowFlags(common::fixedSizeWindowFlags(Qt::Window, true));
    createControls();
    createMenus();
    createStatusBar();
    m_language.setMenu(this);
    registerCaptions();
    refreshRetroItems();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start(50);
    Horloge = new QTimer(this);
    Horloge->setObjectName(QStringLiteral("Horloge"));
    connect(Horloge, &QTimer::timeout, this, &TForm1::HorlogeTimer);
    Horloge->start(1000);
    HorlogeTimer();

    // The client area has a fixed size; the menu bar comes on top of it.
    setFixedSize(clientWidth, clientHeight + menuBar()->sizeHint().height());
}

void TForm1::createControls()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->setFixedHeight(toolBarHeight);
    ToolBar1->setIconSize(QSize(32, 32));
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    auto button = [this](const char *name, ToolBarIcon icon, void (TForm1::*handler)()) {
        auto *b = new QToolButton(ToolBar1);
        b->setObjectName(QLatin1String(name));
        b->setIcon(toolBarIcon(icon));
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setFixedSize(buttonSize);
        connect(b, &QToolButton::clicked, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
        ToolBar1->addWidget(b);
        return b;
    };
    btn_connexion = button("btn_connexion", ToolBarIcon::Connect, &TForm1::btn_connexionClick);
    btn_selection = button("btn_selection", ToolBarIcon::SelectInstrument, &TForm1::btn_selectionClick);
    btn_lecture = button("btn_lecture", ToolBarIcon::ReadInstrument, &TForm1::btn_lectureClick);
    btn_snumber = button("btn_snumber", ToolBarIcon::SerialNumber, &TForm1::btn_snumberClick);
    btn_config = button("btn_config", ToolBarIcon::CableConfiguration, &TForm1::btn_configClick);
    btn_retrocommande = button("btn_retrocommande", ToolBarIcon::RetroCommand, &TForm1::btn_retrocommandeClick);
    setCommandButtonsEnabled(false);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    if (!QFontInfo(courier).fixedPitch())
        courier = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    Memo1->setFont(courier);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setMaximumBlockCount(receiveLinesKept);
    setCentralWidget(Memo1);
}

void TForm1::createMenus()
{
    instrument_select = new QMenu(this);
    instrument_select->setObjectName(QStringLiteral("instrument_select"));
    for (int k = 1; k <= instrumentCount; ++k) {
        QAction *item = instrument_select->addAction(QString());
        item->setObjectName(QStringLiteral("inst%1").arg(k));
        item->setCheckable(true);
        onItemTriggered(item, this, [this, k] { guarded([this, k] { instClick(k); }); });
        m_inst.push_back(item);
    }
    btn_selection->setMenu(instrument_select);
    btn_selection->setPopupMode(QToolButton::MenuButtonPopup);

    menu_retro = new QMenu(this);
    menu_retro->setObjectName(QStringLiteral("menu_retro"));
    for (int d = 0; d < RetroCaptions::count; ++d) {
        QAction *item = menu_retro->addAction(QString());
        // Rtrocommande11 and 12 are retro-commands 0 and 1; then 21 .. 91 for 2 .. 9.
        item->setObjectName(d < 2 ? QStringLiteral("Rtrocommande1%1").arg(d + 1)
                                  : QStringLiteral("Rtrocommande%1").arg(d) + u'1');
        item->setCheckable(true);
        onItemTriggered(item, this, [this, d] { guarded([this, d] { RtrocommandeClick(d); }); });
        m_retro.push_back(item);
    }
    btn_retrocommande->setMenu(menu_retro);
    btn_retrocommande->setPopupMode(QToolButton::MenuButtonPopup);

    Fichier1 = menuBar()->addMenu(QString());
    Fichier1->setObjectName(QStringLiteral("Fichier1"));
    Effacerlazonetampon1 = Fichier1->addAction(QString(), this, [this] { guarded([this] { Effacerlazonetampon1Click(); }); });
    Effacerlazonetampon1->setObjectName(QStringLiteral("Effacerlazonetampon1"));
    Configurer1 = Fichier1->addAction(QString(), this, [this] { guarded([this] { Configurer1Click(); }); });
    Configurer1->setObjectName(QStringLiteral("Configurer1"));
    MiseAJour1 = Fichier1->addAction(QString(), this, [this] { guarded([this] { MiseAJour1Click(); }); });
    MiseAJour1->setObjectName(QStringLiteral("MiseAJour1"));
    Fichier1->addSeparator();
    Quiter1 = Fichier1->addAction(QString(), this, [this] { Quiter1Click(); });
    Quiter1->setObjectName(QStringLiteral("Quiter1"));

    Langue1 = menuBar()->addMenu(QString());
    Langue1->setObjectName(QStringLiteral("Langue1"));
    for (int i = 1; i <= common::maxLanguages; ++i) {
        QAction *item = Langue1->addAction(QStringLiteral("Langue%1").arg(i));
        item->setObjectName(QStringLiteral("Langue%1").arg(i) + u'1');
        item->setCheckable(true);
        item->setVisible(false);
        onItemTriggered(item, this, [this, i] { guarded([this, i] { LangueClick(i); }); });
        m_langue.push_back(item);
    }

    Aide1 = menuBar()->addAction(QString(), this, [this] { guarded([this] { Aide1Click(); }); });
    Aide1->setObjectName(QStringLiteral("Aide1"));
}

void TForm1::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    const std::array<int, 3> widths {150, 580, 50};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setMinimumWidth(widths[i]);
        if (i == 2) // the clock's text must show whole, whatever the font
            m_panels[i]->setMinimumWidth(
                std::max(widths[i], m_panels[i]->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00 ")) + 8));
        if (i < 2) {
            m_panels[i]->setMaximumWidth(widths[i]);
            bar->addWidget(m_panels[i]);
        } else {
            m_panels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            bar->addPermanentWidget(m_panels[i]);
        }
    }
}

void TForm1::registerCaptions()
{
    CaptionRegistry &captions = m_language.registry();
    auto text = [&captions](const char *target, auto *control) {
        captions.addWithBuiltIn(QLatin1String("TForm1.") + QLatin1String(target),
                                  [control](const QString &t) { control->setText(t); });
    };
    auto title = [&captions](const char *target, QMenu *menu) {
        captions.addWithBuiltIn(QLatin1String("TForm1.") + QLatin1String(target),
                                  [menu](const QString &t) { menu->setTitle(t); });
    };
    title("Fichier1", Fichier1);
    text("Effacerlazonetampon1", Effacerlazonetampon1);
    text("Configurer1", Configurer1);
    text("Quiter1", Quiter1);
    captions.addAdded(added::checkForUpdate, [this](const QString &t) { MiseAJour1->setText(t); });
    MiseAJour1->setText(QString::fromUtf16(added::checkForUpdate.french));
    title("Langue1", Langue1);
    text("Aide1", Aide1);
    for (QToolButton *b : {btn_connexion, btn_selection, btn_lecture, btn_snumber, btn_config}) {
        captions.addWithBuiltIn(QLatin1String("TForm1.") + b->objectName(),
                                  [this, b](const QString &t) { setButtonCaption(b, t); });
    }
    for (int k = 1; k <= instrumentCount; ++k)
        text(QStringLiteral("inst%1").arg(k).toLatin1().constData(), m_inst.at(k - 1));

    setButtonCaption(btn_retrocommande, builtInCaption(QStringLiteral("TForm1.retrocommandes")));
    captions.add(QStringLiteral("TForm1.retrocommandes"), [this](const QString &t) {
        setButtonCaption(btn_retrocommande, t);
        m_retroCaptions.applyGeneric(t);
        refreshRetroItems();
    });
    m_services.texts.registerTargets(captions);
}

// Long captions take a smaller font rather than being cut short in the fixed-size buttons;
// all six share it so the tool bar reads as one row.
void TForm1::setButtonCaption(QToolButton *button, const QString &text)
{
    constexpr qreal smallestPointSize = 6.5;
    button->setText(text);
    QFont font = ToolBar1->font();
    const auto fits = [&font](QToolButton *b) {
        if (!b)
            return true;
        int room = b->width() - 10;
        if (b->popupMode() == QToolButton::MenuButtonPopup)
            room -= b->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, b);
        return QFontMetrics(font).horizontalAdvance(b->text()) <= room;
    };
    const auto buttons = {btn_connexion, btn_selection, btn_lecture, btn_snumber, btn_config, btn_retrocommande};
    while (!std::all_of(buttons.begin(), buttons.end(), fits) && font.pointSizeF() > smallestPointSize)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    for (QToolButton *b : buttons) {
        if (b)
            b->setFont(font);
    }
}

} // namespace configtool
