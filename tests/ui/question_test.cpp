// The main window's question: fonts, display, figure, answers by click or key, scores,
// moving through a list, and the review of a test's misses.
#include "support/run.h"

#include <QAccessible>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

namespace korvell::testing {

// Every threshold of every box, in characters (18: txtQueNr's font, else "Arial").
TEST(Display, FontRuleAtEveryThreshold) {
    using F = frmShowQue;
    using R = QueRec;
    // clang-format off
    const std::tuple<QPlainTextEdit * F::*, std::string R::*, int, int> cases[] = {
        {&F::txtQuestion, &R::Question, 150, 18}, {&F::txtQuestion, &R::Question, 151, 16},
        {&F::txtA, &R::ChoiceA, 90, 18},  {&F::txtA, &R::ChoiceA, 91, 14},
        {&F::txtB, &R::ChoiceB, 90, 18},  {&F::txtB, &R::ChoiceB, 91, 16},
        {&F::txtB, &R::ChoiceB, 120, 16}, {&F::txtB, &R::ChoiceB, 121, 14},
        {&F::txtC, &R::ChoiceC, 100, 18}, {&F::txtC, &R::ChoiceC, 101, 14},
        {&F::txtD, &R::ChoiceD, 100, 18}, {&F::txtD, &R::ChoiceD, 101, 16},
        {&F::txtD, &R::ChoiceD, 5001, 16}};
    // clang-format on
    Session run(1);
    auto& w = run.Win();
    for (const auto& [box, field, length, size] : cases)
        for (const QString& text : {QString(length, QChar(0xE9)), QString("short")}) {
            w.txtQueNr->setFont(QFont("Liberation Serif", 12));
            run.Mod.QuePool[0].*field = text.toStdString();
            Click(w.cmdAll);
            const QFont f = (w.*box)->font();
            // A text of megabytes would hold the window: it is shown cut.
            EXPECT_EQ((w.*box)->toPlainText() + f.family() + QString::number(f.pointSize()),
                      (text.size() > 5000 ? text.left(5000) + QChar(0x2026) : text) +
                          (size != 18 && text != "short" ? "Arial" + QString::number(size)
                                                         : "Liberation Serif18"))
                << length;
        }
    EXPECT_EQ(ShownText(std::string(4999, 'a') + "\xF0\x9F\x98\x80"
                                                 "bb"), // no half character
              QString(4999, 'a') + QChar(0x2026));
}

// Each text size (run also on a 1366 x 768 screen at the desktop's 125 and 150 %): the
// question at its designed size times the text size; the main and result windows within the
// screen, their minimum sizes too, each control inside them (or inside the area that scrolls
// them). (That an answer moves no box: the longest texts' test below.)
TEST(TextSize, EveryStepFitsTheScreen) {
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").contains("configfile"))
        GTEST_SKIP() << "run on the laptop screen only";
    const QScreen* screen = QGuiApplication::primaryScreen();
    Session run(1);
    auto& w = run.Win();
    Do(run, "test:30");
    Do(run, "pgmProgress");
    const QRect room = screen->availableGeometry();
    const std::pair<const char*, int> steps[] = {
        {"key:Ctrl++", 125}, {"key:Ctrl+=", 150}, {"pgmLarger", 175},  {"key:Ctrl++", 200},
        {"key:Ctrl++", 200}, {"key:Ctrl+-", 175}, {"key:Ctrl+0", 100}, {"pgmSmaller", 100}};
    for (const auto& [step, pct] : steps) {
        for (const char* s : {"win:frmShowQue", step, "All"})
            Do(run, s);
        EXPECT_EQ(w.txtQuestion->font().pointSizeF(), 18.0 * pct / 100) << step;
        for (QWidget* win : std::initializer_list<QWidget*>{&w, run.Mod.frmTestComplete.get(),
                                                            run.Mod.frmProgress.get()}) {
            win->show();
            QApplication::processEvents(); // the area that scrolls lays out what it holds
            const auto* scroll = win->findChild<QScrollArea*>("Scroll");
            EXPECT_TRUE(room.contains(win->geometry()) &&
                        room.size().expandedTo(win->minimumSizeHint()) == room.size())
                << step << " " << win->minimumSizeHint().height();
            ExpectLaidOut(scroll ? scroll->widget() : win, step);
        }
        EXPECT_EQ(QString::number(w.pgmLarger->isEnabled()) +
                      QString::number(w.pgmSmaller->isEnabled()),
                  QString::number(pct < 200) + QString::number(pct > 100))
            << step;
    }
}

// The bundled pool's longest question (T1F07), longest choice (T7B06) and longest choices
// (T2C06) at 100, 150 and 200 % (run at the desktop's 100, 125 and 150 %): the question and
// each choice whole, before and after a wrong pick has two of them bold; the window within the
// laptop's 1366 x 768 screen pixels; the boxes and the answer row where they were; where the
// window's contents scroll, the focus in view as Tab moves it.
TEST(TextSize, LongestTextsShowWholeWithinTheScreenAndStayStill) {
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").contains("configfile"))
        GTEST_SKIP() << "run on the laptop screen only";
    Program run;
    for (const char* f : {"Tech_Pool.txt", "SecCntTbl.txt"})
        std::filesystem::copy_file(KORVELL_SHIPPED_DATA "/" + std::string(f), run.Tmp / f,
                                   std::filesystem::copy_options::overwrite_existing);
    run.Start();
    auto& w = run.Win();
    const qreal scale = w.screen()->devicePixelRatio();
    for (const int pct : {100, 150, 200})
        for (const char* id : {"T1F07", "T7B06", "T2C06"}) {
            run.Mod.Handle([&] { run.Mod.SetTextSize(pct); });
            for (const QString& s : {QString("win:frmShowQue"), "find:" + QString(id),
                                     QString("key:Escape"), QString("win:frmShowQue")})
                Do(run, s); // the question found, on display
            const QString at = QString::number(pct) + " " + w.txtQueNr->text();
            QList<QRect> seen[2];
            for (QList<QRect>& boxes : seen) {
                QApplication::processEvents();
                for (QWidget* c : std::initializer_list<QWidget*>{
                         w.txtQuestion, w.txtA, w.txtB, w.txtC, w.txtD, w.cmdShowAns, w.txtAnswer})
                    boxes << QRect(c->mapTo(&w, QPoint()), c->size());
                for (QPlainTextEdit* box : {w.txtQuestion, w.txtA, w.txtB, w.txtC, w.txtD})
                    EXPECT_EQ(box->verticalScrollBar()->maximum(), 0) << at.toStdString();
                Click(w.txtAnswer->text() == "A" ? w.cmdB : w.cmdA);
            }
            EXPECT_EQ(seen[0], seen[1]) << at.toStdString();
            const QSize device = w.frameGeometry().size() * scale; // rounded as the desktop does
            EXPECT_TRUE(device.width() <= 1366 && device.height() <= 768) << at.toStdString();
            if (auto* page = w.findChild<QScrollArea*>("Scroll")) // Tab keeps the focus in view
                for (int tab = 0; tab < 12; ++tab) {
                    Press("Tab");
                    const QWidget* focus = QApplication::focusWidget();
                    EXPECT_TRUE(
                        page->viewport()->rect().contains(focus->mapTo(page->viewport(), QPoint())))
                        << at.toStdString() << " " << focus->objectName().toStdString();
                }
        }
}

// Browsing: answers are marked, not counted; Next and Previous stop at either end; each
// question is shown afresh, Show Figure on only if its figure loads (the last one stays).
TEST(Study, AnswerRevealMoveAndPick) {
    std::vector<Que> qs = Questions(1);
    const char* figs[] = {"F1", "", "F2", "MISSING", "BAD", "sub/F3"};
    for (int i = 0; i < 6; ++i)
        qs[i].Fig = figs[i];
    qs[0].Pg = "3-4";
    Program run(qs);
    std::filesystem::create_directory(run.Tmp / "sub");
    run.WriteFigure("F1", 40);
    run.WriteFigure("F2", 60);
    run.WriteFigure("sub/F3", 70);
    run.Write("BAD.jpg", "not a picture at all");
    run.Start();
    const char* steps[][2] = {
        {"", "P T1A01 wwww - - 11111101 - -1 cmdShowAns  40 3-4 "},
        {"ShowAns", "P T1A01 Ywww - A 00001101 - -1 cmdNext  40 3-4 "},
        {"ShowFig", "P T1A01 Ywww - A 00001101 - -1 cmdShowFig F 40 3-4 "},
        {"Next/win:frmShowQue", "P T1B01 wwww - - 11111011 - 1 cmdShowAns  40 "},
        {"A", "P T1B01 RYww Wrong!r B 00001011 - 1 cmdNext  40 "},
        {"Next", "P T1C01 wwww - - 11111111 - 2 cmdShowAns  60 "},
        {"C", "P T1C01 wwYw Right!g C 00001111 - 2 cmdNext  60 "},
        {"row:3", "P T1D01 wwww - - 11111011 - 3 lstTestQue  60 "},
        {"row:4", "P T1E01 wwww - - 11111011 - 4 lstTestQue  60 "},
        {"row:5", "P T1F01 wwww - - 11111011 - 5 lstTestQue  60 "},
        {"row:34/C", "P T0C01 wwYw Right!g C 00001010 - 34 cmdPrevious  60 "},
        {"next!", "P T0C01 wwYw Right!g C 00001010 - 34 cmdPrevious"
                  "Invalid Increment Request: Can not go past last question\n  60 "},
        {"Previous", "P T0B01 wwww - - 11111011 - 33 cmdShowAns  60 "},
        {"row:0", "P T1A01 wwww - - 11111101 - 0 lstTestQue  40 3-4 "},
        {"key:2", "P T1A01 YRww Wrong!r A 00001101 - 0 cmdNext  40 3-4 "},
        {"previous!", "P T1A01 wwww - - 11111101 - 0 cmdShowAns"
                      "Invalid Increment Request: Can not go before first question\n  40 3-4 "},
        {"row:0/key:Down", "P T1B01 wwww - - 11111011 - 1 lstTestQue  40 "},
        {"row:2", "P T1C01 wwww - - 11111111 - 2 lstTestQue  60 "},
        {"key:Up", "P T1B01 wwww - - 11111011 - 1 lstTestQue  60 "},
        {"row:0/ShowFig", "P T1A01 wwww - - 11111101 - 0 cmdShowFig F 40 3-4 "},
        {"frmShowFig.Close", "P T1A01 wwww - - 11111101 - 0 cmdShowFig  40 3-4 "},
        {"ShowFig/frmShowFig.close", "P T1A01 wwww - - 11111101 - 0 cmdShowFig  40 3-4 "},
    };
    Walk(run, steps, [](Program& Run) {
        return State(Run) + " " + Open(Run) + " " +
               QString::number(Run.Mod.frmShowFig->imgFig->Picture().width()) + " " +
               Run.Win().txtPage->text();
    });
    auto& w = run.Win(); // as the program opened: nothing of a test or a chapter shown
    QStringList ids;
    for (const auto& q : qs)
        ids << Q(q.Id + " ");
    EXPECT_EQ(Flags({w.lblQueAns, w.lblCorrect, w.txtNrRight, w.lblPercent, w.txtPercent,
                     w.lblChapter, w.cboCh, w.lblPage, w.cboPage}) +
                  w.txtNpool->text() + Rows(w.lstTestQue).join(""),
              "00000000035" + ids.join(""));
}

// WCAG contrast of a box's text against its background, from the palette it draws with.
double Contrast(const QWidget* Box) {
    const auto luminance = [](const QColor& C) {
        double l = 0.05;
        for (const auto& [v, w] :
             {std::pair{C.redF(), 0.2126}, {C.greenF(), 0.7152}, {C.blueF(), 0.0722}})
            l += w * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        return l;
    };
    const double a = luminance(Box->palette().color(QPalette::Text));
    const double b = luminance(Box->palette().color(QPalette::Base));
    return std::max(a, b) / std::min(a, b);
}

// Marks and verdict (Marks, Verdict), each shown box's text legible on its background (4.5:1
// at least; black on a mark, the desktop's own colors on a plain box, else "!name"), and the
// explanation box ("-" hidden).
QString Explained(Program& Run) {
    auto& w = Run.Win();
    QString s = w.lblMode->text().left(1) + " " + w.txtQueNr->text().trimmed() + " " + Marks(w) +
                " " + (w.txtRightWrong->isHidden() ? "-" : w.txtRightWrong->text() + Verdict(w));
    const QPalette desktop;
    for (QWidget* box : std::initializer_list<QWidget*>{w.txtA, w.txtB, w.txtC, w.txtD,
                                                        w.txtRightWrong, w.txtExplain}) {
        const QColor back = box->palette().color(QPalette::Base);
        const QColor text = box->palette().color(QPalette::Text);
        if (!box->isHidden() &&
            (Contrast(box) < 4.5 ||
             text != (back == desktop.color(QPalette::Base) ? desktop.color(QPalette::Text)
                                                            : QColor(0, 0, 0))))
            s += " !" + box->objectName();
    }
    return s + " " +
           (w.txtExplain->isHidden() ? "-" : w.txtExplain->toPlainText().replace('\n', '/')) +
           Q(Run.Fake.Said());
}

// The explanation shows once the answer is out in a study mode or the review, never in a
// test, only for the answer and wording it was written for; every display hides it. Under
// a light, a dark and a high-contrast desktop every marked box stays legible.
TEST(Study, ExplanationAndMarksInEveryPalette) {
    std::string file;
    for (const auto& q : Questions(1))
        file += q.Id == "T1A01"   ? "T1A01 (A) [97.1]\nWhy\nT1A01.\n~~\n"
                : q.Id == "T1B01" ? "T1B01 (B) Fp d91bf4fa\nWhy T1B01.\n~~\n"
                : q.Id == "T1C01" ? "T1C01 (D)\nWritten for another key.\n~~\n"
                : q.Id == "T1D01" ? "T1D01 (D) Fp 00000000\nWritten for other words.\n~~\n"
                : q.Id == "T1E01" ? ""
                                  : q.Id + " (" + q.Answer + ")\nWhy " + q.Id + ".\n~~\n";
    // clang-format off
    const char* steps[][2] = {
        {"", "P T1A01 wwww - -"}, {"ShowAns", "P T1A01 Ywww - Rule reference: 97.1/Why T1A01."},
        {"Next", "P T1B01 wwww - -"}, {"A", "P T1B01 RYww Wrong!r Why T1B01."},
        {"ShowAns", "P T1B01 RYww Wrong!r Why T1B01."}, {"row:2/C", "P T1C01 wwYw Right!g -"},
        {"row:3/D", "P T1D01 wwwY Right!g -"}, {"row:4/A", "P T1E01 Ywww Right!g -"},
        {"row:5/B", "P T1F01 wYww Right!g Why T1F01."}, {"row:5", "P T1F01 wwww - -"},
        {"NewTest/A", "S T1A01 Ywww Right!g -"}, {"test:0", "S T0C01 RwYw Wrong!r -"},
        {"frmTestComplete.Review", "R T1A01 YRww Wrong!r Rule reference: 97.1/Why T1A01."},
        {"Next", "R T1B01 RYww Wrong!r Why T1B01."}, {"Next", "R T1C01 RwYw Wrong!r -"},
        {"row:6", "R T2A01 RwYw Wrong!r Why T2A01."}, {"All", "P T1A01 wwww - -"}};
    // clang-format on
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(53, 53, 53)), contrast(QColor(0, 0, 0));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    contrast.setColor(QPalette::Base, QColor(0, 0, 0));
    for (QPalette* p : {&dark, &contrast})
        for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            p->setColor(role, QColor(255, 255, 255));
    for (const QPalette& desktop : {light, dark, contrast}) {
        QApplication::setPalette(desktop);
        Program run;
        run.Write("Tech_Explain.txt", file);
        run.Start();
        Walk(run, steps, Explained);
    }
    QApplication::setPalette(light);
}

// What the focused control (a list's current row) tells a screen reader: name|description.
QString Told(Program& Run) {
    QApplication::processEvents(); // the window opened becomes the active one
    QWidget* focus =
        QApplication::focusWidget() ? QApplication::focusWidget() : Run.Win().focusWidget();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(focus);
    a = a->focusChild() ? a->focusChild() : a;
    return Abridged(a->text(QAccessible::Name) + "|" + a->text(QAccessible::Description));
}

// The news comes once, where the focus lands, before any tooltip: the question shown, the
// verdict, the answer and (in study and review) its explanation, a test's result.
TEST(Study, ScreenReaderIsToldTheNewsWhereTheFocusLands) {
    std::vector<Que> qs = Questions(1);
    qs[1].Fig = "T1";
    Program run(qs);
    run.Write("Tech_Explain.txt", "T1A01 (A) [97.1]\nWhy\nT1A01.\n~~\n");
    run.Start();
    const char* steps[][2] = {
        {"", "Show Answer|Q(T1A01)"},
        {"A",
         "Next Question|Right! The answer is A: T1A01 choice A. Rule reference: 97.1. Why T1A01."},
        {"key:Return", "Show Answer|Q(T1B01) Figure T-1."},
        {"ShowAns", "Next Question|The answer is B: T1B01 choice B."},
        {"row:0", "T1A01 |Q(T1A01)"},
        {"key:3",
         "Next Question|Wrong! The answer is A: T1A01 choice A. Rule reference: 97.1. Why T1A01."},
        {"NewTest", "Begin New Test|Q(T1A01)"},
        {"A", "Next Question|Right! The answer is A: T1A01 choice A."},
        {"key:Return", "Show Pool|Q(T1B01) Figure T-1."},
        {"test:26/win:frmTestComplete",
         "Greeting|Congratulations. You Passed! Correct answers: 26. Percent: 74.29%. "
         "Passed with no answer to spare."},
        {"frmTestComplete.Review",
         "Next Question|Q(T8A01) Wrong! The answer is C: T8A01 choice C."}};
    Walk(run, steps, Told);
}

// The figure as drawn in its window: width to height of the picture's own pixels in
// hundredths ("+": off the window's middle), the colors at the middle of its four quarters
// (r red, b blue, w white, ? other), and k when black writing shows in it.
QString Drawn(FigureView* View) {
    QApplication::processEvents();
    const QImage img = View->grab().toImage();
    const auto kind = [](const QColor& C) {
        const int r = C.red(), g = C.green(), b = C.blue();
        return r > 190 && g < 70 && b < 70     ? 'r'
               : b > 190 && r < 70 && g < 70   ? 'b'
               : r > 225 && g > 225 && b > 225 ? 'w'
               : r < 60 && g < 60 && b < 60    ? 'k'
                                               : '?';
    };
    QRect box;
    int black = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c != View->palette().color(View->backgroundRole())) box |= QRect(x, y, 1, 1);
            black += kind(c) == 'k';
        }
    QString s = QString::number(100 * box.width() / std::max(box.height(), 1)) +
                ((box.center() - img.rect().center()).manhattanLength() > 2 ? "+ " : " ");
    for (const auto& [fx, fy] : {std::pair{1, 1}, {3, 1}, {1, 3}, {3, 3}})
        s += kind(img.pixelColor(box.x() + box.width() * fx / 4, box.y() + box.height() * fy / 4));
    return s + (black >= 20 ? "k" : "");
}

// Show Figure draws the figure's own picture, turned as its camera says, scaled to the
// window; before any figure the window shows "No figure".
TEST(Figure, DrawnAsTheFileHoldsIt) {
    std::vector<Que> qs = Questions(1);
    qs[1].Fig = "P";
    qs[2].Fig = "R";
    qs[3].Fig = "MISSING";
    Program run(qs);
    QImage img(80, 40, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 255));
    QPainter(&img).fillRect(0, 0, 40, 40, QColor(255, 0, 0));
    img.save(Q(run.Tmp / "P.jpg"), "JPG", 95);
    // The same pixels with an EXIF orientation of 6: to be shown turned a quarter clockwise.
    const char exif[] =
        "\xFF\xE1\x00\x22"
        "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0";
    std::string jpeg = ReadFile(run.Tmp / "P.jpg");
    run.Tmp.Write("R.jpg", jpeg.insert(2, exif, sizeof exif - 1));
    run.Start();
    auto& fig = *run.Mod.frmShowFig;
    fig.show();
    EXPECT_EQ(Drawn(fig.imgFig), "150 wwwwk");
    fig.hide();
    const char* steps[][2] = {{"Next/ShowFig", "200 rbrb FF"},
                              {"frmShowFig.Close/Next/ShowFig", "50 rrbb FF"},
                              {"Next", "- "}};
    Walk(run, steps, [](Program& Run) {
        auto& f = *Run.Mod.frmShowFig;
        return (f.isVisible() ? Drawn(f.imgFig) : "-") + " " + Open(Run) + Run.Raised();
    });
}

// Letters and digits type into the chapter and page boxes, elsewhere they answer once; a test
// counts each answer once; a test by keys (every fourth answer wrong), then Review Misses shows
// just those, answered.
TEST(Keys, AnswersCountedOnceAndAWholeTestByKeysThenReviewOfItsMisses) {
    Session run(1);
    auto& w = run.Win();
    auto& r = *run.Mod.frmTestComplete;
    const char* combos[][2] = {
        {"key:Alt+U/row:0/focus:cboCh/key:A/key:B", "Q T1A01 wwww - - 11111001 - 0 cboCh ab Pg"},
        {"row:0/focus:cboPage/key:3/key:B", "Q T1A01 wwww - - 11111001 - 0 cboPage ab 3b"},
        {"row:0/focus:txtQueNr/key:2/key:B", "Q T1A01 YRww Wrong!r A 00001001 - 0 cmdNext ab 3b"}};
    Walk(run, combos, [](Program& Run) {
        return State(Run) + " " + Run.Win().cboCh->currentText() + " " +
               Run.Win().cboPage->currentText();
    });
    // A test counts every answer once; the counters stop at their largest value.
    const char* scores[][2] = {
        {"NewTest", "S T1A01 wwww - - 11110000 0|0| -1 cmdNewTest"},
        {"row:7", "S T1A01 wwww - - 11110000 0|0| 0 lstTestQue"
                  "Invalid Request: Random selection of questions\nis not allowed \n"
                  "in test simulator mode\n"},
        {"A", "S T1A01 Ywww Right!g A 00000001 1|1|100.00% 0 cmdNext"},
        {"key:Return", "S T1B01 wwww - - 11110000 1|1|100.00% 1 cmdAll"},
        {"row:1", "S T1B01 wwww - - 11110000 1|1|100.00% 1 lstTestQue"},
        {"key:c", "S T1B01 wYRw Wrong!r B 00000001 2|1|50.00% 1 cmdNext"},
    };
    Walk(run, scores);
    EXPECT_EQ(Rows(w.lstTestQue).mid(0, 3).join('|'), "T1A  01  Correct|T1B  01  Wrong|T1C  01");
    for (const char* pick : {"B", " "}) {
        run.Mod.AnsPicked = pick;
        run.Mod.Handle([&] { run.Mod.AnswerQuestion(); });
    }
    Click(w.cmdNext);
    run.Mod.QueIdx = -1; // no question on display: reported, judged wrong and counted
    Click(w.cmdC);
    EXPECT_EQ(Q(run.Fake.Said()) + Marks(w) + w.txtRightWrong->text() + Panel(w),
              "Can't cheat: You already answered this Question!\nCan't cheat: You already "
              "answered this Question!\nError: No Question Selected\nwwRwWrong!3|1|33.33%");
    Click(w.cmdNext);
    run.Mod.NrQueAns = run.Mod.NrRight = 32767;
    Click(w.findChild<QPushButton*>("cmd" + w.txtAnswer->text()));
    EXPECT_EQ(Panel(w), "32767|32767|100.00%");
    Press("Alt+T");
    for (int q = 0; q < 35; ++q) { // the right letter is "ABCD"[q % 4]
        std::array<QWidget*, 3>{w.cmdAll, w.lstTestQue, w.txtQuestion}[q % 3]->setFocus();
        Press(QString(QChar((q % 2 ? '1' : 'A') + (q + q % 4 / 3) % 4)));
        Press(q % 2 ? "Return" : "Space");
    }
    EXPECT_EQ(r.txtPassFail->text() + " " + r.txtAnsOK->text() + " " + r.txtPercent->text() +
                  Flags({&r}) + Flags({r.cmdReview}, true),
              "Congratulations 27 77.14%11");
    EXPECT_TRUE(QTest::qWaitForWindowActive(&r)); // its keys work at once
    Press("Alt+R");
    EXPECT_EQ(w.lblMode->text() + run.Raised(), "Review of Missed Test QuestionsTQ");
    const char* steps[][2] = {
        {"", "R T1D01 RwwY Wrong!r D 00000001 35|27|77.14% -1 cmdNext"},
        {"key:B", "R T1D01 RwwY Wrong!r D 00000001 35|27|77.14% -1 cmdNext"},
        {"key:Return", "R T2B01 RwwY Wrong!r D 00000011 35|27|77.14% 1 cmdNext"},
        {"key:Return/key:Return/key:Return/key:Return/key:Return",
         "R T8B01 RwwY Wrong!r D 00000011 35|27|77.14% 6 cmdNext"},
        {"key:Return", "R T9B01 RwwY Wrong!r D 00000010 35|27|77.14% 7 cmdPrevious"},
        {"row:2", "R T3C01 RwwY Wrong!r D 00000011 35|27|77.14% 2 lstTestQue"},
        {"key:Alt+U/Next", "Q T5B01 wwww - - 11111011 - 3 cmdShowAns"},
        {"key:Alt+O", "P T1A01 wwww - - 11111001 - -1 cmdShowAns"},
    };
    Walk(run, steps);
    EXPECT_TRUE(r.isHidden());
    // All 35 missed, reviewed while another test runs: the finished test's figures, 35 rows.
    const char* allWrong[][2] = {{"test:0/NewTest/A/frmTestComplete.Review",
                                  "R T1A01 YRww Wrong!r A 00000001 35|0|0.00% -1 cmdNext"}};
    Walk(run, allWrong);
    EXPECT_EQ(w.lstTestQue->count(), 35);
    Do(run, "test:35"); // a perfect test leaves nothing to review
    EXPECT_TRUE(r.isVisible() && !r.cmdReview->isEnabled());
}

} // namespace korvell::testing
