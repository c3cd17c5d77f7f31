#include "TForm1.h"

#include "DisplayView.h"
#include "FieldRenderer.h"
#include "QtPlatform.h"
#include "StatusPanel.h"
#include "Tick.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

namespace fendral {

namespace {
    constexpr Qt::WindowFlags WindowFlags = Qt::Window | Qt::CustomizeWindowHint
        | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
        | Qt::WindowCloseButtonHint;

    QPushButton* makeMenuButton(QWidget* parent, const QString& caption, int top)
    {
        auto* button = new QPushButton(caption, parent);
        button->setGeometry(8, top, 225, 41);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    }

    QLabel* makeBottomLabel(QWidget* parent)
    {
        auto* label = new QLabel(parent);
        label->setFont(sansFont(11, false));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setTextColour(label, Qt::white);
        return label;
    }
}

QString TForm1::defaultIniPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Fendral.ini");
}

TForm1::TForm1(const QString& iniPath, QWidget* parent)
    : QWidget(parent, WindowFlags)
    , m_canvas(DesignClientWidth, DesignClientHeight, QImage::Format_RGB32)
    , m_iniPath(iniPath)
{
    setWindowTitle(QStringLiteral("Fendral"));
    // The window never changes its size, maximised or not
    setFixedSize(DesignClientWidth, DesignClientHeight);
    setFont(sansFont(11, true));
    // Every pixel comes from the canvas, so Qt need not clear the background first
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_canvas.fill(Qt::black);

    m_renderer = std::make_unique<FieldRenderer>(m_state, m_canvas);
    m_renderer->setDirtyCallback([this](const QRect& rect) { canvasChanged(rect); });
    m_platform = std::make_unique<QtPlatform>([this] { tick(*m_game); });
    createControls();
    m_view = std::make_unique<DisplayView>(
        m_state, *m_renderer, *m_panel, LayoutWidgets { this, m_menup, m_ver, m_credit, m_panelp });
    m_game = std::make_unique<Game>(Game { m_state, *m_view, *m_platform });
    connectCommands();
}

TForm1::~TForm1() { FormDestroy(); }

QPushButton* TForm1::menub() const { return m_panel->menub(); }
QPushButton* TForm1::Button4() const { return m_panel->Button4(); }
Panel* TForm1::mode() const { return m_panel->mode(); }

void TForm1::createControls()
{
    m_panel = new StatusPanel(this);
    m_panel->setGeometry(0, height() - StatusPanel::PanelHeight, width(), StatusPanel::PanelHeight);
    connect(m_panel->Button4(), &QPushButton::clicked, this, &TForm1::Button4Click);
    createMenuPanels();
    createBottomLabels();
}

void TForm1::createMenuPanels()
{
    m_menup = new Panel(this);
    m_menup->resize(241, 105);
    m_start = makeMenuButton(m_menup, QStringLiteral("Start Game"), 8);
    m_Button11 = makeMenuButton(m_menup, QStringLiteral("Close Fendral"), 56);
    connect(m_Button11, &QPushButton::clicked, this, &TForm1::Button11Click);

    m_panelp = new Panel(this);
    m_panelp->resize(233, 33);
    m_panelp->hide();
}

void TForm1::createBottomLabels()
{
    m_ver = makeBottomLabel(this);
    m_credit = makeBottomLabel(this);
    m_credit->setText(QStringLiteral("by the Fendral team"));
}

void TForm1::placeBottomLabels()
{
    // One line 18 pixels above the status panel; the version ends 6 pixels from the right edge
    const int top = m_panel->y() - 18;
    m_ver->adjustSize();
    m_ver->move(width() - m_ver->width() - 6, top);
    m_credit->adjustSize();
    m_credit->move(width() - 180, top);
}

} // namespace fendral
