#include "ui/print/papertest.h"

#include "core/logic.h"
#include "core/practice.h"

#include <QFile>
#include <QImageReader>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

namespace korvell {

namespace {

QString Q(const std::string& Text) {
    return QString::fromStdString(Trim(Text));
}

// Places blocks down the pages, each whole on one page where it fits on one,
// and numbers the pages at their foot.
class Pager {
public:
    Pager(QPainter& P, std::uint64_t Number) : P(P), Number(Number) {
        Pt = P.device()->logicalDpiY() / 72.0;
        Width = P.device()->width();
        Bottom = P.device()->height() - 20 * Pt; // room for the foot line
    }
    // Moves to a new page unless Height fits below what stands on this one.
    bool Need(qreal Height) {
        if (Y > 0 && Y + Height > Bottom) return NewPage();
        return true;
    }
    bool NewPage() {
        Foot();
        Y = 0;
        ++Page;
        return static_cast<QPagedPaintDevice*>(P.device())->newPage();
    }
    void Foot() {
        P.save();
        P.setFont(Font(8));
        P.drawText(QRectF(0, Bottom + 6 * Pt, Width, 14 * Pt), Qt::AlignRight | Qt::AlignVCenter,
                   QString("Test %1, page %2").arg(Number).arg(Page));
        P.restore();
    }
    // Height of Text wrapped from X to the right margin, Dy below the current
    // line; drawn there when Draw.
    qreal Text(const QString& Text, const QFont& F, qreal X, bool Draw, qreal Dy = 0) {
        P.setFont(F);
        const QRectF box(X, Y + Dy, Width - X, 1e9);
        const QRectF used = P.boundingRect(box, Qt::TextWordWrap, Text);
        if (Draw) P.drawText(box, Qt::TextWordWrap, Text);
        return used.height();
    }
    QFont Font(int Points, bool Bold = false) const {
        QFont f("Liberation Sans");
        f.setPointSize(Points);
        f.setBold(Bold);
        return f;
    }

    QPainter& P;
    std::uint64_t Number;
    qreal Pt, Width, Bottom, Y = 0;
    int Page = 1;
};

// Question N: its number and identifier, its text, and its choices with a
// hanging indent; returns its height, and draws it when Draw.
qreal QuestionBlock(Pager& G, int N, const std::string& Id, const QueRec& R, bool Draw) {
    const QFont body = G.Font(11), bold = G.Font(11, true);
    qreal h = G.Text(QString("%1. %2").arg(N).arg(Q(Id)), bold, 0, Draw);
    h += G.Text(Q(R.Question), body, 18 * G.Pt, Draw, h) + 3 * G.Pt;
    const std::string* choices[] = {&R.ChoiceA, &R.ChoiceB, &R.ChoiceC, &R.ChoiceD};
    for (int c = 0; c < 4; ++c) {
        const qreal letter = G.Text(QString("%1.").arg(QChar('A' + c)), body, 18 * G.Pt, Draw, h);
        h += std::max(letter, G.Text(Q(*choices[c]), body, 36 * G.Pt, Draw, h));
    }
    return h + 12 * G.Pt;
}

} // namespace

std::optional<PaperProblem> MakePaperSheet(const Bank& B, std::uint64_t Number, PaperSheet& Out) {
    const std::string table = B.AppDir + "SecCntTbl.txt", pool = B.AppDir + B.PoolFileName;
    const std::vector<std::string>& groups = ExamGroups();
    for (std::size_t i = 0; i < groups.size(); ++i)
        if (B.SecCntIds[i] != groups[i])
            return PaperProblem{table, "entry " + std::to_string(i + 1) + " is \"" +
                                           B.SecCntIds[i] + "\" where \"" + groups[i] +
                                           "\" is expected"};
    Out = PaperSheet{Number, {}, {}};
    const std::vector<PaperQue> ques = DrawPaperTest(B, Number);
    for (std::size_t i = 0; i < ques.size(); ++i) {
        const PaperQue& q = ques[i];
        if (q.Idx < 0)
            return PaperProblem{pool, "question " + q.QueId + " (number " +
                                          std::to_string(std::stoi(q.QueId.substr(3))) + " of " +
                                          std::to_string(B.SecCnt[i]) + " in group " + groups[i] +
                                          ") not found in the pool"};
        const QueRec& r = B.QuePool[q.Idx];
        Out.Ques.emplace_back(q.QueId, &r);
        const std::string fig = Trim(r.Fig);
        if (fig.empty() || std::any_of(Out.Figures.begin(), Out.Figures.end(),
                                       [&](const auto& F) { return F.first == fig; }))
            continue;
        const std::string file = B.AppDir + fig + ".jpg";
        QImageReader reader(QString::fromStdString(file));
        reader.setAutoTransform(true);
        QImage image = reader.read();
        if (image.isNull())
            return PaperProblem{file, "the figure of question " + q.QueId +
                                          " cannot be read: " + reader.errorString().toStdString()};
        Out.Figures.emplace_back(fig, std::move(image));
    }
    return std::nullopt;
}

bool PrintPaperSheet(const PaperSheet& Sheet, QPagedPaintDevice& Device) {
    Device.setPageMargins(QMarginsF(18, 15, 18, 12), QPageLayout::Millimeter);
    QPainter p;
    if (!p.begin(&Device)) return false;
    Pager g(p, Sheet.Number);
    const int groups = static_cast<int>(ExamGroups().size());

    // The first page's head: title, number, pass mark and a line for the name.
    g.Y += g.Text("Technician Practice Test", g.Font(20, true), 0, true) + 6 * g.Pt;
    for (const QString& line : {QString("Test number: %1").arg(Sheet.Number),
                                QString("Pass mark: %1 of %2").arg(PassMark).arg(groups),
                                QString("Name: ") + QString(40, '_')})
        g.Y += g.Text(line, g.Font(12), 0, true) + 4 * g.Pt;
    g.Y += 14 * g.Pt;

    // The questions, each figure after the first question that names it.
    std::vector<std::string> printed;
    for (std::size_t i = 0; i < Sheet.Ques.size(); ++i) {
        const auto& [id, rec] = Sheet.Ques[i];
        const int n = static_cast<int>(i) + 1;
        if (!g.Need(QuestionBlock(g, n, id, *rec, false))) return false;
        g.Y += QuestionBlock(g, n, id, *rec, true);
        const std::string fig = Trim(rec->Fig);
        const auto image = std::find_if(Sheet.Figures.begin(), Sheet.Figures.end(),
                                        [&](const auto& F) { return F.first == fig; });
        if (image == Sheet.Figures.end() ||
            std::find(printed.begin(), printed.end(), fig) != printed.end())
            continue;
        printed.push_back(fig);
        // As wide as the page, or as tall as a page leaves room for, aspect kept.
        const QImage& img = image->second;
        const QString caption = QString::fromStdString(FigureCaption(fig));
        const qreal captionHeight = g.Text(caption, g.Font(11, true), 0, false) + 18 * g.Pt;
        QSizeF size(g.Width, g.Width * img.height() / std::max(1, img.width()));
        if (size.height() > g.Bottom - captionHeight)
            size.scale(g.Width, g.Bottom - captionHeight, Qt::KeepAspectRatio);
        if (!g.Need(size.height() + captionHeight)) return false;
        p.drawImage(QRectF(QPointF((g.Width - size.width()) / 2, g.Y), size), img);
        g.Y += size.height() + 4 * g.Pt;
        p.setFont(g.Font(11, true));
        p.drawText(QRectF(0, g.Y, g.Width, captionHeight), Qt::AlignHCenter | Qt::AlignTop,
                   caption);
        g.Y += captionHeight;
    }

    // The answer key, on a page of its own.
    if (!g.NewPage()) return false;
    g.Y += g.Text("Answer Key", g.Font(18, true), 0, true) + 4 * g.Pt;
    g.Y += g.Text(QString("Test number: %1").arg(Sheet.Number), g.Font(12), 0, true) + 12 * g.Pt;
    for (std::size_t i = 0; i < Sheet.Ques.size(); ++i) {
        const QString line = QString("%1. %2 %3")
                                 .arg(i + 1)
                                 .arg(Q(Sheet.Ques[i].first), Q(Sheet.Ques[i].second->Answer));
        const qreal h = g.Text(line, g.Font(11), 0, false) + 2 * g.Pt;
        if (!g.Need(h)) return false;
        g.Y += g.Text(line, g.Font(11), 0, true) + 2 * g.Pt;
    }
    g.Foot();
    return p.end();
}

std::optional<PaperProblem> WritePaperPdf(const PaperSheet& Sheet, const std::string& Path) {
    // Written to a temporary file beside Path, which takes its name only when whole.
    QSaveFile file(QString::fromStdString(Path));
    if (!file.open(QIODevice::WriteOnly))
        return PaperProblem{Path, file.errorString().toStdString()};
    {
        QPdfWriter pdf(&file);
        pdf.setPageSize(DefaultPaperSize());
        pdf.setTitle(QString("Technician Practice Test %1").arg(Sheet.Number));
        pdf.setCreator("Korvell");
        if (!PrintPaperSheet(Sheet, pdf)) {
            file.cancelWriting();
            return PaperProblem{Path, "the test could not be laid out"};
        }
    }
    if (!file.commit()) return PaperProblem{Path, file.errorString().toStdString()};
    return std::nullopt;
}

QPageSize DefaultPaperSize() {
    QString name = qEnvironmentVariable("PAPERSIZE").trimmed();
    QFile conf(qEnvironmentVariable("PAPERCONF", "/etc/papersize"));
    if (name.isEmpty() && conf.open(QIODevice::ReadOnly))
        while (name.isEmpty() && !conf.atEnd()) {
            const QString line = QString::fromUtf8(conf.readLine()).trimmed();
            if (!line.startsWith('#')) name = line.section(' ', 0, 0);
        }
    static const std::pair<const char*, QPageSize::PageSizeId> names[] = {
        {"a3", QPageSize::A3},
        {"a4", QPageSize::A4},
        {"a5", QPageSize::A5},
        {"b5", QPageSize::B5},
        {"letter", QPageSize::Letter},
        {"legal", QPageSize::Legal},
        {"executive", QPageSize::Executive},
        {"tabloid", QPageSize::Tabloid},
        {"ledger", QPageSize::Ledger}};
    for (const auto& [text, id] : names)
        if (name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0) return QPageSize(id);
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

} // namespace korvell
