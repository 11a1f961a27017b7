// The data files shipped beside the program, read by the program's own readers, agree.
#include "core/logic.h"
#include "support/run.h"

#include <set>

namespace korvell::testing {

TEST(ShippedData, PoolTableFiguresReferencesAndTextsAgree) {
    FakePlatform fake;
    fake.Dir = KORVELL_DATA_DIR;
    modKorvell mod(fake);
    mod.Handle([&] { mod.Main(); });
    ASSERT_TRUE(!fake.Ended && fake.Messages.empty()) << fake.Messages.at(0).Text;
    // 1. Every group is numbered from 01 up to its table count, and nothing else is in the pool.
    ASSERT_EQ(mod.NrSecGroups, 35);
    int total = 0;
    for (int i = 0; i < mod.NrSecGroups; ++i) {
        EXPECT_GE(mod.SecCnt[i], 3) << mod.SecCntIds[i];
        for (int16_t n = 1; n <= mod.SecCnt[i]; ++n, ++total)
            EXPECT_GE(mod.FindQuestionIndex(Id(mod.SecCntIds[i], n)), 0) << mod.SecCntIds[i] << n;
    }
    EXPECT_EQ(mod.Npool, total);
    // 2. Each question is there once and complete; its figure (3 or more in all) loads.
    // 3. Its reference is a plain chapter-page; the page counts list exactly these questions.
    std::set<std::string> ids, figures;
    std::array<std::array<int, MaxPage + 1>, MaxChapter + 1> listed{};
    for (int k = 0; k < mod.Npool; ++k) {
        const QueRec& q = mod.QuePool[k];
        SCOPED_TRACE(q.QueNr);
        EXPECT_TRUE(ids.insert(Trim(q.QueNr)).second);
        EXPECT_TRUE(q.Answer == "A" || q.Answer == "B" || q.Answer == "C" || q.Answer == "D");
        for (const std::string* text :
             {&q.Question, &q.ChoiceA, &q.ChoiceB, &q.ChoiceC, &q.ChoiceD})
            EXPECT_FALSE(Trim(*text).empty());
        if (!q.Fig.empty()) figures.insert(q.Fig);
        EXPECT_TRUE(q.Fig.empty() || !QImage(Q(mod.AppDir + q.Fig + ".jpg")).isNull()) << q.Fig;
        // Subelement T1..T9, T0 as chapter 1..10, group A, B, ... as page 1, 2, ...
        const std::string ref = Trim(q.ChPg), id = Trim(q.QueNr);
        const int ch = id[1] == '0' ? 10 : id[1] - '0', pg = id[2] - 'A' + 1;
        ASSERT_EQ(ref, std::to_string(ch) + "-" + std::to_string(pg));
        ++listed[ch][pg];
    }
    EXPECT_EQ(mod.Npool, 409);
    EXPECT_EQ(figures, (std::set<std::string>{"T1", "T2", "T3"}));
    for (int ch = 0; ch <= MaxChapter; ++ch)
        for (int pg = 0; pg <= MaxPage; ++pg)
            EXPECT_EQ(mod.ChPgCount[ch][pg], listed[ch][pg]) << ch << "-" << pg;
    // 4. The help and disclaimer texts give their rows.
    EXPECT_GT(mod.frmShowHelp->lstHelpText->count(), 40);
    EXPECT_GT(mod.frmDisclaimer->lstDisclaimer->count(), 5);
    EXPECT_EQ(mod.frmShowQue->txtNpool->text().toInt(), mod.Npool);
    // 5. A test draws from every group in exam order; chapter 5, page 1 lists the T5A questions.
    auto& w = *mod.frmShowQue;
    mod.Handle([&] { mod.StartTest(); });
    ASSERT_TRUE(!fake.Ended && w.lstTestQue->count() == 35);
    for (int i = 0; i < 35; ++i)
        EXPECT_EQ(w.lstTestQue->item(i)->text().left(3).toStdString(), GroupCodes[i]);
    w.cboCh->setCurrentText("5");
    mod.Handle([&] { mod.StartChPgStudy(); });
    ASSERT_EQ(w.lstTestQue->count(), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(Trim(w.lstTestQue->item(i)->text().toStdString()), Id("T5A", i + 1));
}

} // namespace korvell::testing
