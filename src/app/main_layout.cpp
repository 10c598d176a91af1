// The layout of the main window: regions from top to bottom, controls
// placed at fixed pixel positions inside their boxes as the form lays them out.
#include "app/clickable_label.h"
#include "app/icons.h"
#include "app/main.h"
#include "app/radio_group.h"
#include "app/splitter_bar.h"
#include "catalogue/grid_model.h"
#include "catalogue/spring_record.h"
#include "catalogue/unit_system.h"
#include "charts/dynamictau_chart.h"
#include "charts/load_length_chart.h"
#include "charts/statictau_chart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit* edit(QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, 20);
    return e;
}

// A value label: right-aligned in a fixed width, empty until evaluated.
QLabel* value_label(QWidget* parent, const char* name, int x, int y, int w) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(x, y, w, 14);
    return l;
}

QWidget* panel(QWidget* parent, const char* name) {
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items, int x, int y, int w) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->addItems(items);
    c->setCurrentIndex(0);
    c->setGeometry(x, y, w, 20);
    c->setInsertPolicy(QComboBox::NoInsert);
    // The typed text is searched for as typed: no completion may rewrite it.
    c->setCompleter(nullptr);
    return c;
}

// The least size of a panel whose children sit at fixed positions: the laid
// out size, grown where our fonts make a child reach further.
void fit_to_children(QWidget* w, QSize least, int margin = 2) {
    QRect bounds;
    for (QWidget* child : w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden())
            bounds |= child->geometry();
    }
    w->setMinimumSize(least.expandedTo(QSize(bounds.right() + 1 + margin, bounds.bottom() + 1)));
}

} // namespace

void TForm_spring::buildMenu() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(bar);

    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("F1"));
    Exit1 = file->addAction(QStringLiteral("終了(&X)"));
    Exit1->setObjectName(QStringLiteral("Exit1"));

    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("V1"));
    menu_statictau = view->addAction(QStringLiteral("静荷重応力グラフ(&S)"));
    menu_statictau->setObjectName(QStringLiteral("menu_statictau"));
    menu_dynamictau = view->addAction(QStringLiteral("動荷重寿命グラフ(&D)"));
    menu_dynamictau->setObjectName(QStringLiteral("menu_dynamictau"));
    for (QAction* a : {menu_statictau, menu_dynamictau}) {
        a->setCheckable(true);
        a->setChecked(true);
    }

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("Help1"));
    SpringDesiner1 = help->addAction(QStringLiteral("About(&A)"));
    SpringDesiner1->setObjectName(QStringLiteral("SpringDesiner1"));
}

QWidget* TForm_spring::buildSearchGroup() {
    auto* group = new QGroupBox(QStringLiteral("検索条件"), this);
    group->setObjectName(QStringLiteral("GroupBox_input"));
    group->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(2, 0, 2, 1);
    row->setSpacing(0);

    QWidget* panel2 = panel(group, "Panel2");
    panel2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* column = new QVBoxLayout(panel2);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    RadioGroup_type =
        new app::RadioGroup(QStringLiteral("RadioGroup_type"), QStringLiteral("バネ種類"),
                            {QStringLiteral("圧縮"), QStringLiteral("引張")}, 2, panel2);
    RadioGroup_type->setMinimumHeight(49);
    RadioGroup_type->setItemIndex(0);
    RadioGroup_unit = new app::RadioGroup(
        QStringLiteral("RadioGroup_unit"), QStringLiteral("単位系"),
        {QStringLiteral("SI単位系 (N-mm)"), QStringLiteral("工学単位系 (kgf-mm)"),
         QStringLiteral("工学単位系 (gf-mm)")},
        1, panel2);
    RadioGroup_unit->setItemIndex(0);
    RadioGroup_unit->setToolTip(QStringLiteral("単位系を切り替えます"));
    column->addWidget(RadioGroup_type);
    column->addWidget(RadioGroup_unit, 1);

    row->addWidget(panel2);
    row->addWidget(buildConditionBox(0));
    row->addWidget(buildConditionBox(1));
    row->addWidget(buildFreeArea(), 1);
    row->addWidget(buildMakerBox());
    // 143 px and 137 px at least, more where the fonts need it; the layout's
    // own needs count as least sizes, so a small window never squeezes them.
    panel2->setMinimumWidth(std::max(143, panel2->sizeHint().width()));
    group->setMinimumHeight(std::max(137, group->sizeHint().height()));
    // A window forced narrower than that (a window system that ignores the
    // size hint) cuts the group at its edge instead of squeezing the
    // controls over one another.
    group->setMinimumWidth(group->minimumSizeHint().width());
    return group;
}

QWidget* TForm_spring::buildConditionBox(int which) {
    const bool first = which == 0;
    auto* box =
        new QGroupBox(first ? QStringLiteral("第1選択条件") : QStringLiteral("第2選択条件"), this);
    box->setObjectName(first ? QStringLiteral("GroupBox1") : QStringLiteral("GroupBox2"));
    box->setMinimumWidth(150);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    if (!first)
        box->setToolTip(QStringLiteral("許容応力値"));
    (first ? GroupBox1 : GroupBox2) = box;

    ConditionControls& c = cond_[which];
    label(box, nullptr, QStringLiteral("長さ"), 6, 22);
    c.length = edit(box, first ? "Edit_length" : "Edit_length2", QString(), 32, 19, 44);
    label(box, nullptr, QStringLiteral("±"), 79, 22);
    c.length_width = edit(box, first ? "Edit_lengthwidth" : "Edit_length2width",
                          QStringLiteral("1"), 90, 19, 32);
    c.length_width->setAttribute(Qt::WA_InputMethodEnabled, false);
    label(box, nullptr, QStringLiteral("mm"), 125, 22);

    label(box, nullptr, QStringLiteral("荷重"), 6, 46);
    c.force = edit(box, first ? "Edit_force" : "Edit_force2", QString(), 32, 43, 44);
    label(box, nullptr, QStringLiteral("±"), 79, 46);
    c.force_width = edit(box, first ? "Edit_forcewidth" : "Edit_force2width", QStringLiteral("0.1"),
                         90, 43, 32);
    c.force_unit = label(box, first ? "Label6" : "Label14", QStringLiteral("N"), 125, 46);

    c.load_title = label(box, first ? "Label16" : "Label17", QStringLiteral("選定荷重"), 6, 74);
    c.load_value = value_label(box, first ? "Label_F1" : "Label_f2", 50, 74, 52);
    c.load_unit = label(box, first ? "Label18" : "Label20", QStringLiteral("N"), 104, 74);
    c.stress_title = label(box, first ? "Label22" : "Label21", QStringLiteral("修正応力"), 6, 96);
    c.stress_value = value_label(box, first ? "Label_tau1" : "Label_tau2", 50, 96, 52);
    c.stress_unit = label(box, first ? "Label24" : "Label25", QStringLiteral("MPa"), 104, 96);
    c.superscript = label(box, first ? "Label19" : "Label23", QStringLiteral("2"), 121, 92);
    QFont small = c.superscript->font();
    small.setPixelSize(8);
    c.superscript->setFont(small);
    c.superscript->adjustSize();
    for (QLabel* l : {c.load_title, c.load_unit, c.stress_title, c.stress_unit, c.superscript})
        l->hide();
    fitConditionBox(which);
    return box;
}

void TForm_spring::fitConditionBox(int which) {
    ConditionControls& c = cond_[which];
    // The values stand between the longer title and the units, right-aligned
    // in at least room for "000.000"; the superscript follows the stress
    // unit. Room is kept for a two-digit length ("00時荷重") from the start,
    // so that an ordinary search does not shift the layout
    // (digits differ by a pixel or two in a proportional face).
    int titles = c.load_title->x() + 3 +
                 c.load_title->fontMetrics().horizontalAdvance(QStringLiteral("00時荷重"));
    for (QLabel* t : {c.load_title, c.stress_title}) {
        if (!t->isHidden() || t == c.stress_title)
            titles = std::max(titles, t->x() + t->sizeHint().width());
    }
    const int value_x = std::max(50, titles + 2);
    const int value_room = c.load_value->fontMetrics().horizontalAdvance(QStringLiteral("000.000"));
    const int value_right = std::max(102, value_x + value_room);
    for (QLabel* v : {c.load_value, c.stress_value})
        v->setGeometry(value_x, v->y(), value_right - value_x, v->height());
    const int unit_x = value_right + 2;
    for (QLabel* u : {c.load_unit, c.stress_unit}) {
        u->adjustSize();
        u->move(unit_x, u->y());
    }
    c.superscript->move(c.stress_unit->x() + c.stress_unit->width(), c.superscript->y());
    auto* box = static_cast<QWidget*>(c.length->parent());
    fit_to_children(box, QSize(150, 0), 4);

    // Wide enough for the widest stress unit of any unit system, so that the
    // layout does not shift when the units change.
    int widest = 0;
    for (int unit = 0; unit < 3; ++unit) {
        const units::UnitCaptions captions = units::unit_captions(unit, 0, units::state);
        widest =
            std::max(widest, c.stress_unit->fontMetrics().horizontalAdvance(
                                 QString::fromStdString(captions.stress_label)) +
                                 (captions.superscript ? c.superscript->sizeHint().width() : 0));
    }
    box->setMinimumWidth(std::max(box->minimumWidth(), unit_x + widest + 8));
}

QWidget* TForm_spring::buildFreeArea() {
    QWidget* area = panel(this, "Panel_searchmisc");
    label(area, nullptr, QStringLiteral("コイル外径："), 2, 3);
    Edit_coildia_outer_min = edit(area, "Edit_coildia_outer_min", QString(), 68, 0, 36);
    label(area, nullptr, QStringLiteral("～"), 106, 3);
    Edit_coildia_outer_max = edit(area, "Edit_coildia_outer_max", QString(), 119, 0, 36);
    label(area, nullptr, QStringLiteral("mm"), 157, 3);

    label(area, nullptr, QStringLiteral("コイル内径："), 2, 25);
    Edit_coildia_inner_min = edit(area, "Edit_coildia_inner_min", QString(), 68, 22, 36);
    label(area, nullptr, QStringLiteral("～"), 106, 25);
    Edit_coildia_inner_max = edit(area, "Edit_coildia_inner_max", QString(), 119, 22, 36);
    label(area, nullptr, QStringLiteral("mm"), 157, 25);

    label(area, nullptr, QStringLiteral("メーカー："), 2, 47);
    ComboBox_maker =
        combo(area, "ComboBox_maker",
              {QString(), QStringLiteral("KSSC"), QStringLiteral("昌和発条")}, 68, 44, 110);
    label(area, nullptr, QStringLiteral("材質："), 2, 69);
    ComboBox_material = combo(area, "ComboBox_material",
                              {QString(), QStringLiteral("SWP"), QStringLiteral("SWP-B"),
                               QStringLiteral("SWO-B"), QStringLiteral("SUS304WPB")},
                              68, 66, 110);

    Serch_Btn = new QPushButton(QStringLiteral("検索開始"), area);
    Serch_Btn->setObjectName(QStringLiteral("Serch_Btn"));
    Serch_Btn->setIcon(app::search_icon());
    Serch_Btn->setGeometry(4, 88, 169, 29);
    fit_to_children(area, QSize(178, 0), 4);
    return area;
}

QWidget* TForm_spring::buildMakerBox() {
    auto* box = new QGroupBox(QStringLiteral("information"), this);
    box->setObjectName(QStringLiteral("GroupBox3"));
    box->setFixedWidth(149);
    DBText1 = label(box, "DBText1", QString(), 6, 20);
    DBText1->setFixedWidth(137);
    Label_maker_tel = label(box, "Label_maker_tel", QStringLiteral("Tel: "), 6, 40);
    Label_maker_tel->hide();
    DBText_tel = label(box, "DBText_tel", QString(), 6 + Label_maker_tel->width(), 40);
    DBText_tel->setFixedWidth(137 - Label_maker_tel->width());
    DBText_url = new app::ClickableLabel(box);
    DBText_url->setObjectName(QStringLiteral("DBText_url"));
    DBText_url->move(6, 60);
    DBText_url->setFixedWidth(137);
    DBText_url->setWordWrap(true);
    DBText_url->setCursor(Qt::PointingHandCursor);
    QFont underlined = DBText_url->font();
    underlined.setUnderline(true);
    DBText_url->setFont(underlined);
    QPalette hot = DBText_url->palette();
    hot.setColor(QPalette::WindowText, QColor(0x00, 0x66, 0xCC)); // the system's hot-light colour
    DBText_url->setPalette(hot);
    return box;
}

QWidget* TForm_spring::buildResultArea() {
    QWidget* panel1 = panel(this, "Panel1");
    auto* row = new QHBoxLayout(panel1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    DBChart1 = make_load_length_chart(panel1);
    DBChart1->setFixedWidth(215);

    namespace f = catalogue::spring;
    grid_model_ = new SpringGridModel(spring_table_,
                                      {{f::maker, QStringLiteral("メーカー"), 76},
                                       {f::modelNo, QStringLiteral("型番"), 85},
                                       {f::material, QStringLiteral("材質"), 71},
                                       {f::coil_dia, QStringLiteral("D mm"), 36},
                                       {f::wire_dia, QStringLiteral("d mm"), 34},
                                       {f::lo, QStringLiteral("lo mm"), 40},
                                       {f::calc_fo, QStringLiteral("fo N"), 40},
                                       {f::lmax, QStringLiteral("参考長"), 47},
                                       {f::calc_fmax, QStringLiteral("fmax N"), 44},
                                       {f::calc_k, QStringLiteral("k N/mm"), 52}},
                                      this);
    DBGrid1 = new QTableView(panel1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(grid_model_);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setFocusPolicy(Qt::ClickFocus);
    DBGrid1->setShowGrid(true);
    DBGrid1->setWordWrap(false);
    DBGrid1->verticalHeader()->hide();
    // Fixed row heights keep scrolling through a million rows cheap.
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->verticalHeader()->setDefaultSectionSize(17);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    QFont title(QStringLiteral("ＭＳ Ｐゴシック"));
    title.setPixelSize(12);
    DBGrid1->horizontalHeader()->setFont(title);
    for (int i = 0; i < grid_model_->columnCount(); ++i)
        DBGrid1->setColumnWidth(i, grid_model_->column(i).width);

    row->addWidget(DBChart1);
    auto* splitter1 =
        new app::SplitterBar(app::SplitterBar::Target::LeftNeighbour, DBChart1, panel1);
    splitter1->setObjectName(QStringLiteral("Splitter1"));
    row->addWidget(splitter1);
    row->addWidget(DBGrid1, 1);
    return panel1;
}

QWidget* TForm_spring::buildStressPanel() {
    Paneltau = panel(this, "Paneltau");
    Paneltau->setFixedHeight(200);
    auto* row = new QHBoxLayout(Paneltau);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    Chart_statictau = make_statictau_chart(Paneltau);
    Chart_statictau->setFixedWidth(345);
    Splitter_dstau =
        new app::SplitterBar(app::SplitterBar::Target::LeftNeighbour, Chart_statictau, Paneltau);
    Splitter_dstau->setObjectName(QStringLiteral("Splitter_dstau"));
    Splitter_dstau->hide();

    Panel_dynamictau = panel(Paneltau, "Panel_dynamictau");
    auto* dyn = new QHBoxLayout(Panel_dynamictau);
    dyn->setContentsMargins(0, 0, 0, 0);
    dyn->setSpacing(0);
    dyn->addWidget(buildDynamicParameters());
    Chart_dynamictau = make_dynamictau_chart(Panel_dynamictau);
    // Both axes of the fatigue diagram run from 0 to 0.7: in a wide window it
    // stays at a readable aspect instead of stretching flat.
    Chart_dynamictau->setMaximumWidth(2 * Paneltau->height());
    dyn->addWidget(Chart_dynamictau, 1);
    dyn->addStretch(0);

    row->addWidget(Chart_statictau);
    row->addWidget(Splitter_dstau);
    row->addWidget(Panel_dynamictau, 1);
    // Takes the room of the fatigue diagram's panel when that is hidden, so
    // that the static chart keeps its width.
    row->addStretch(0);
    return Paneltau;
}

QWidget* TForm_spring::buildDynamicParameters() {
    QWidget* p = panel(this, "Panel_dparameter");
    p->setFixedWidth(143);

    QLabel* heading = label(p, "Label32", QStringLiteral("動荷重計算条件"), 4, 4);
    QFont big = heading->font();
    big.setPixelSize(15);
    heading->setFont(big);
    heading->adjustSize();

    QWidget* link_panel = panel(p, "Panel_checklink");
    link_panel->setGeometry(2, 24, 139, 20);
    CheckBox_link = new QCheckBox(QStringLiteral("検索条件とのリンク"), link_panel);
    CheckBox_link->setObjectName(QStringLiteral("CheckBox_link"));
    CheckBox_link->setChecked(true);
    CheckBox_link->setGeometry(2, 0, 137, 20);

    RadioGroup_dyncalcst =
        new app::RadioGroup(QStringLiteral("RadioGroup_dyncalcst"), QStringLiteral("計算条件"),
                            {QStringLiteral("バネ長"), QStringLiteral("荷重")}, 2, p);
    RadioGroup_dyncalcst->setItemIndex(0);
    RadioGroup_dyncalcst->setGeometry(2, 46, 139, 40);

    label(p, "Label_dynmin", QStringLiteral("動作範囲"), 4, 92);
    Edit_dynmin = edit(p, "Edit_dynmin", QString(), 4, 108, 48);
    label(p, "Label26", QStringLiteral("～"), 54, 111);
    Edit_dynmax = edit(p, "Edit_dynmax", QString(), 68, 108, 48);
    Label_dynunit = label(p, "Label_dynunit", QStringLiteral("mm"), 119, 111);

    Edit_dyncycle = edit(p, "Edit_dyncycle", QStringLiteral("1E7"), 4, 136, 76);
    label(p, "Label31", QStringLiteral("回"), 83, 139);
    Button_cycle = new QPushButton(QStringLiteral("寿命"), p);
    Button_cycle->setObjectName(QStringLiteral("Button_cycle"));
    Button_cycle->setToolTip(QStringLiteral("設備の能力より寿命回数を計算します"));
    Button_cycle->setGeometry(98, 134, 42, 24);
    return p;
}

void TForm_spring::setTabOrder() {
    QList<QWidget*> chain;
    for (const ConditionControls& c : cond_)
        chain << c.length << c.length_width << c.force << c.force_width;
    chain << Edit_coildia_outer_min << Edit_coildia_outer_max << Edit_coildia_inner_min
          << Edit_coildia_inner_max << ComboBox_maker << ComboBox_material << Serch_Btn;
    for (app::RadioGroup* g : {RadioGroup_type, RadioGroup_unit})
        for (QWidget* w : g->findChildren<QWidget*>())
            chain << w;
    chain << CheckBox_link;
    for (QWidget* w : RadioGroup_dyncalcst->findChildren<QWidget*>())
        chain << w;
    chain << Edit_dynmin << Edit_dynmax << Edit_dyncycle << Button_cycle;
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}
