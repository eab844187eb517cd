#include "browser/ui/frm_main_layout.h"

#include <QLocale>
#include <algorithm>

#include "common/ui/named_widget.h"

using namespace Qt::StringLiterals;

namespace zelidor::ui {

namespace {

// The window's frame and the heights of the main toolbar and the status bar, as the resize
// rules count them. Qt draws the real ones, whatever their size; using fixed figures keeps the
// rules' arithmetic consistent on every style and screen.
constexpr double kFrameWidth = 120;
constexpr double kFrameHeight = 585;
constexpr double kBarsHeight = 630 + 315;
// SSTab1's place in the central area, below the main toolbar.
constexpr double kTabLeft = 60;
constexpr double kTabTop = 60;
// Where the tab's page begins in tab coordinates.
constexpr double kPageLeft = 60;
constexpr double kPageTop = 330;

QRect toPixels(const TwipRect& r, const Twips& twips, const QPoint& offset) {
    return QRect(twips.toPixels(r.left) - offset.x(), twips.toPixels(r.top) - offset.y(),
                 twips.toPixels(r.width), twips.toPixels(r.height));
}

void buildBrowsingControls(FrmMainLayout& ui, const GuideServices& services) {
    ui.monthView1 = named<QCalendarWidget>(ui.page, "MonthView1");
    ui.monthView1->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    ui.monthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    ui.monthView1->setGridVisible(false);
    ui.monthView1->setAccessibleName(u"Calendario"_s);

    ui.combo2 = named<QComboBox>(ui.page, "Combo2");
    ui.combo2->setAccessibleName(u"Categoria dei canali"_s);

    ui.treeView1 = named<QTreeWidget>(ui.page, "TreeView1");
    ui.treeView1->setHeaderHidden(true);
    ui.treeView1->setAccessibleName(u"Palinsesti"_s);
    ui.treeView1->setIconSize(QSize(16, 16));

    ui.toolbar2 = named<QToolBar>(ui.page, "Toolbar2");
    ui.toolbar2->setIconSize(QSize(16, 16));
    ui.toolbar2->setAccessibleName(u"Navigazione della pagina"_s);

    ui.combo1 = named<QComboBox>(ui.page, "Combo1");
    ui.combo1->setAccessibleName(u"Modello della scheda"_s);
    ui.combo1->setToolTip(u"Modello della scheda"_s);

    ui.webBrowser1 = new GuideView(services.webProfile, *services.desktop, ui.page);
    ui.webBrowser1->setObjectName(u"WebBrowser1"_s);
    ui.webBrowser1->setAccessibleName(u"Pagina della guida"_s);
}

}  // namespace

void FrmMainLayout::build(QMainWindow& window, const GuideServices& services) {
    window.setObjectName(u"FrmMain"_s);
    window.setWindowTitle(u"Zelidor - La tua Zelidor Interattiva!"_s);

    toolbar1 = named<QToolBar>(&window, "Toolbar1");
    toolbar1->setMovable(false);
    toolbar1->setFloatable(false);
    toolbar1->setIconSize(QSize(24, 24));
    toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar1->setContextMenuPolicy(Qt::PreventContextMenu);
    toolbar1->setAccessibleName(u"Comandi"_s);
    window.addToolBar(Qt::TopToolBarArea, toolbar1);

    central = named<QWidget>(&window, "MainArea");
    window.setCentralWidget(central);
    ssTab1 = named<QTabWidget>(central, "SSTab1");
    page = named<QWidget>(ssTab1, "Programmi");
    ssTab1->addTab(page, u" Programmi TV"_s);
    buildBrowsingControls(*this, services);

    statusBar1 = new StatusPanels(&window);
    window.setStatusBar(statusBar1);
}

void FrmMainLayout::layOut(const Twips& twips) {
    MainLayoutInput in = designTimeLayout();
    in.innerWidth = twips.fromPixels(central->width());
    in.innerHeight = twips.fromPixels(central->height()) + kBarsHeight;
    in.windowWidth = in.innerWidth + kFrameWidth;
    in.windowHeight = in.innerHeight + kFrameHeight;
    // The calendar is as wide and tall as the style needs to show a whole month; the filter and
    // the tree share its width.
    QSize calendar = monthView1->sizeHint();
    in.monthView.width = std::max(in.monthView.width, twips.fromPixels(calendar.width()));
    in.monthView.height = std::max(in.monthView.height, twips.fromPixels(calendar.height()));
    in.toolbar2.width = twips.fromPixels(toolbar2->sizeHint().width());
    // The template list follows the view's toolbar, which moves with the calendar's width.
    in.combo1.left = in.monthView.width + 150 + in.toolbar2.width + 75;

    MainLayout out = layOutMainWindow(in);
    ssTab1->setGeometry(twips.toPixels(kTabLeft), twips.toPixels(kTabTop),
                        twips.toPixels(out.tabWidth), twips.toPixels(out.tabHeight));
    // Controls are placed in tab coordinates, as at design time; the page begins inside the
    // tab's border and below its header.
    QPoint offset(twips.toPixels(kPageLeft), twips.toPixels(kPageTop));
    TwipRect month = in.monthView;
    TwipRect combo2Rect = out.combo2;
    combo2Rect.width = month.width;
    TwipRect treeRect = out.treeView;
    treeRect.width = month.width;
    monthView1->setGeometry(toPixels(month, twips, offset));
    combo2->setGeometry(toPixels(combo2Rect, twips, offset));
    treeView1->setGeometry(toPixels(treeRect, twips, offset));
    toolbar2->setGeometry(toPixels(out.toolbar2, twips, offset));
    combo1->setGeometry(toPixels(out.combo1, twips, offset));
    webBrowser1->setGeometry(toPixels(out.webView, twips, offset));
}

QSize FrmMainLayout::minimumCentralSize(const Twips& twips) const {
    return QSize(twips.toPixels(kMainMinWidth - kFrameWidth),
                 twips.toPixels(kMainMinHeight - kFrameHeight - kBarsHeight));
}

}  // namespace zelidor::ui
