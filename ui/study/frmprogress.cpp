#include "ui/study/frmprogress.h"

#include "core/memory.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace korvell {

namespace {

// The three counts of a bar: known, answered in all, questions in all.
constexpr int BarRole = Qt::UserRole;

// The bar of a subelement row: the known share solid, the rest of the answered
// share lighter, the never-answered share empty, all within one frame.
class ShareBar : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* P, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override {
        QStyledItemDelegate::paint(P, Option, Index);
        const QVariantList n = Index.data(BarRole).toList();
        if (n.size() != 3 || n[2].toInt() <= 0) return;
        const int pad = Option.fontMetrics.height() / 5;
        const QRectF box = QRectF(Option.rect).adjusted(pad, pad, -pad, -pad);
        const double total = n[2].toDouble();
        const double known = box.width() * n[0].toInt() / total;
        const double answered = box.width() * n[1].toInt() / total;
        const QColor solid = Option.palette.color(QPalette::Highlight);
        QColor light = solid;
        light.setAlphaF(0.35f);
        P->save();
        P->fillRect(QRectF(box.left(), box.top(), answered, box.height()), light);
        P->fillRect(QRectF(box.left(), box.top(), known, box.height()), solid);
        P->setPen(Option.palette.color(QPalette::Text));
        P->drawRect(box);
        P->restore();
    }
};

QTableWidgetItem* Cell(const QString& Text, bool Right = false) {
    auto* item = new QTableWidgetItem(Text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (Right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableWidget* MakeTable(QWidget* Parent, const char* Name, const QString& AccessibleName,
                        const QStringList& Headers) {
    auto* t = new QTableWidget(0, static_cast<int>(Headers.size()), Parent);
    t->setObjectName(Name);
    t->setAccessibleName(AccessibleName);
    t->setHorizontalHeaderLabels(Headers);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setTabKeyNavigation(false);
    t->setWordWrap(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

// A table as large as its rows (up to Rows of them) and its columns need.
void FitTable(QTableWidget* T, int Rows) {
    T->resizeColumnsToContents();
    T->resizeRowsToContents();
    int width = 2 * T->frameWidth() + T->verticalHeader()->sizeHint().width();
    for (int c = 0; c < T->columnCount(); ++c)
        width += T->horizontalHeader()->sectionSize(c);
    const int row = T->verticalHeader()->defaultSectionSize();
    const int shown = std::min(T->rowCount(), Rows);
    int height = 0;
    for (int r = 0; r < shown; ++r)
        height += T->rowHeight(r);
    if (shown < Rows) height += (Rows - shown) * row / 2;
    T->setMinimumSize(width,
                      2 * T->frameWidth() + T->horizontalHeader()->sizeHint().height() + height);
}

QString DateOf(std::int64_t TimeMs) {
    return QDateTime::fromMSecsSinceEpoch(TimeMs).toString("yyyy-MM-dd");
}

} // namespace

ScoreChart::ScoreChart(QWidget* Parent) : QWidget(Parent) {
    setObjectName("picScores");
    setAccessibleName("Scores over time");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ScoreChart::SetTests(std::vector<TestDone> Done, int Questions, int PassMark) {
    Tests = std::move(Done);
    Asked = std::max(Questions, 1);
    Pass = PassMark;
    QStringList scores;
    for (const TestDone& t : Tests)
        scores << QString("%1 on %2").arg(t.Score).arg(DateOf(t.TimeMs));
    setAccessibleDescription(
        QString("Pass line at %1 of %2. ").arg(Pass).arg(Asked) +
        (scores.isEmpty() ? "No test finished yet." : "Scores: " + scores.join(", ") + "."));
    update();
}

QSize ScoreChart::sizeHint() const {
    const QFontMetrics m = fontMetrics();
    return {28 * m.averageCharWidth(), 7 * m.height()};
}

void ScoreChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics m = fontMetrics();
    const QString top = QString::number(Asked);
    const QRectF plot =
        QRectF(rect()).adjusted(m.horizontalAdvance(top) + m.averageCharWidth(), m.height() / 2.0,
                                -m.averageCharWidth(), -m.height() / 2.0);
    const auto y = [&](double Score) { return plot.bottom() - plot.height() * Score / Asked; };
    const QColor text = palette().color(QPalette::WindowText);
    p.setPen(text);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    for (const int s : {0, Pass, Asked})
        p.drawText(QRectF(0, y(s) - m.height() / 2.0, plot.left() - m.averageCharWidth() / 2.0,
                          m.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(s));
    p.setPen(QPen(text, 1, Qt::DashLine));
    p.drawLine(QPointF(plot.left(), y(Pass)), QPointF(plot.right(), y(Pass)));
    if (Tests.empty()) return;
    const double step = Tests.size() > 1 ? plot.width() / double(Tests.size() - 1) : 0.0;
    QPainterPath line;
    std::vector<QPointF> points;
    for (std::size_t i = 0; i < Tests.size(); ++i) {
        points.emplace_back(plot.left() + (Tests.size() > 1 ? step * double(i) : plot.width() / 2),
                            y(Tests[i].Score));
        i == 0 ? line.moveTo(points.back()) : line.lineTo(points.back());
    }
    const QColor mark = palette().color(QPalette::Highlight);
    p.setPen(QPen(mark, 2));
    p.drawPath(line);
    p.setBrush(mark);
    const double r = m.height() / 6.0;
    for (const QPointF& at : points)
        p.drawEllipse(at, r, r);
}

frmProgress::frmProgress(modKorvell& Mod) : Mod(Mod) {
    setObjectName("frmProgress");
    setWindowTitle("Progress");
    lblNothingKept =
        MakeLabel(this, "lblNothingKept",
                  "Nothing is kept after this run: make or open a study record in the File menu.");
    lblNothingKept->setWordWrap(true);
    lblChance = MakeLabel(this, "lblChance", {});
    QFont big = lblChance->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    lblChance->setFont(big);
    lblExpected = MakeLabel(this, "lblExpected", {});
    grdSubelements = MakeTable(this, "grdSubelements", "By subelement",
                               {"Subelement", "Answered", "Known", "Known, answered, never"});
    grdSubelements->setItemDelegateForColumn(3, new ShareBar(grdSubelements));
    grdSubelements->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Fixed);
    grdSubelements->horizontalHeader()->setStretchLastSection(true);
    lblBySub = MakeLabel(this, "lblBySub", "&By subelement", grdSubelements);
    lblDue = MakeLabel(this, "lblDue", {});
    cmdReviewDue = MakeButton(this, "cmdReviewDue", "&Review Due");
    grdTests = MakeTable(this, "grdTests", "Tests", {"Date", "Score", "Result"});
    grdTests->verticalHeader()->hide();
    lblTests = MakeLabel(this, "lblTests", "&Tests", grdTests);
    picScores = new ScoreChart(this);

    auto* due = new QHBoxLayout;
    due->addWidget(lblDue);
    due->addStretch(1);
    due->addWidget(cmdReviewDue);
    auto* tests = new QHBoxLayout;
    tests->addWidget(grdTests);
    tests->addWidget(picScores, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblNothingKept);
    layout->addWidget(lblChance);
    layout->addWidget(lblExpected);
    layout->addWidget(lblBySub);
    layout->addWidget(grdSubelements, 1);
    layout->addLayout(due);
    layout->addWidget(lblTests);
    layout->addLayout(tests);

    OnClick(this, cmdReviewDue, &frmProgress::cmdReviewDue_Click);
    OnKey(this, Qt::Key_Escape, [this] { close(); });
}

void frmProgress::Fill() {
    const Progress p = Mod.ProgressNow();
    lblNothingKept->setVisible(!Mod.Record);
    lblChance->setText(Q(PassChanceLine(p)));
    lblExpected->setText(Q(ExpectedScoreLine(p)));

    QTableWidget* t = grdSubelements;
    t->setRowCount(static_cast<int>(p.BySubelement.size()));
    for (int i = 0; i < t->rowCount(); ++i) {
        const SubProgress& s = p.BySubelement[static_cast<std::size_t>(i)];
        const QString title = SentenceCase(ShownText(Mod.SyllabusTitle(s.Code)));
        const bool weakest = i == p.Weakest;
        auto* mark = new QTableWidgetItem(weakest ? "Weakest" : "");
        QFont bold = t->font();
        bold.setBold(true);
        mark->setFont(bold);
        t->setVerticalHeaderItem(i, mark);
        t->setItem(i, 0, Cell(Q(s.Code) + (title.isEmpty() ? "" : " " + title)));
        t->setItem(i, 1, Cell(QString("%1 of %2").arg(s.Answered).arg(s.Total), true));
        t->setItem(i, 2, Cell(QString::number(s.Known), true));
        auto* bar = Cell({});
        bar->setData(BarRole, QVariantList{s.Known, s.Answered, s.Total});
        const QString shares = QString("%1 known, %2 more answered, %3 never answered")
                                   .arg(s.Known)
                                   .arg(s.Answered - s.Known)
                                   .arg(s.Total - s.Answered);
        bar->setData(Qt::AccessibleTextRole, shares);
        bar->setToolTip(shares);
        t->setItem(i, 3, bar);
        if (weakest)
            for (int c = 0; c < 3; ++c)
                t->item(i, c)->setFont(bold);
    }

    lblDue->setText(QString("Due for review: %1").arg(p.Due.size()));
    cmdReviewDue->setEnabled(!p.Due.empty());

    const std::vector<TestDone> done = Mod.TestsDone();
    grdTests->setRowCount(static_cast<int>(done.size()));
    for (int i = 0; i < grdTests->rowCount(); ++i) {
        // The latest test first.
        const TestDone& d = done[done.size() - 1 - static_cast<std::size_t>(i)];
        grdTests->setItem(i, 0, Cell(DateOf(d.TimeMs)));
        grdTests->setItem(i, 1, Cell(QString("%1 of %2").arg(d.Score).arg(d.Asked), true));
        grdTests->setItem(i, 2, Cell(d.Score >= PassMark ? "Passed" : "Failed"));
    }
    picScores->SetTests(done, p.Groups, PassMark);
    SizeToText();
}

void frmProgress::SizeToText() {
    const QFontMetrics m = grdSubelements->fontMetrics();
    grdSubelements->horizontalHeader()->resizeSection(
        3, std::max(16 * m.averageCharWidth(),
                    grdSubelements->horizontalHeader()->sectionSizeHint(3)));
    FitTable(grdSubelements, 10);
    FitTable(grdTests, 4);
    // The column of topics takes what the window leaves it, a topic of 40
    // characters at least.
    grdSubelements->setMinimumWidth(
        grdSubelements->minimumWidth() +
        std::max(0, 40 * m.averageCharWidth() - grdSubelements->columnWidth(0)));
    picScores->updateGeometry();
    FitToScreen(this);
}

void frmProgress::changeEvent(QEvent* Event) {
    if (Event->type() == QEvent::FontChange) SizeToText();
    if (Event->type() == QEvent::ActivationChange && isActiveWindow()) Fill();
    QWidget::changeEvent(Event);
}

void frmProgress::cmdReviewDue_Click() {
    Mod.StartDueStudy();
    Mod.frmShowQue->raise();
    Mod.frmShowQue->activateWindow();
}

} // namespace korvell
