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
    // Every group is numbered from 01 up to its table count, and nothing else is in the pool.
    int total = 0;
    for (int i = 0; i < 35; ++i)
        for (int16_t n = 1; n <= mod.SecCnt[i]; ++n, ++total)
            EXPECT_GE(mod.FindQuestionIndex(Id(mod.SecCntIds[i], n)), 0) << mod.SecCntIds[i] << n;
    EXPECT_EQ(mod.Npool * 1000 + total, 409409);
    // The figures load; chapter and page are subelement (T0 as 10) and group letter.
    std::set<std::string> figures;
    for (int k = 0; k < mod.Npool; ++k) {
        const QueRec& q = mod.QuePool[k];
        if (!q.Fig.empty()) figures.insert(q.Fig);
        EXPECT_TRUE(q.Fig.empty() || !QImage(Q(mod.AppDir + q.Fig + ".jpg")).isNull()) << q.Fig;
        const int ch = q.QueNr[1] == '0' ? 10 : q.QueNr[1] - '0', pg = q.QueNr[2] - 'A' + 1;
        EXPECT_EQ(Trim(q.ChPg), std::to_string(ch) + "-" + std::to_string(pg)) << q.QueNr;
    }
    EXPECT_EQ(figures, (std::set<std::string>{"T1", "T2", "T3"}));
    EXPECT_GT(mod.frmShowHelp->lstHelpText->count(), 40);
    EXPECT_GT(mod.frmDisclaimer->lstDisclaimer->count(), 5);
    // A test draws from every group in exam order; chapter 5, page 1 lists the T5A questions.
    auto& w = *mod.frmShowQue;
    mod.Handle([&] { mod.StartTest(); });
    ASSERT_TRUE(!fake.Ended && w.lstTestQue->count() == 35);
    for (int i = 0; i < 35; ++i)
        EXPECT_EQ(w.lstTestQue->item(i)->text().left(3).toStdString(), GroupCodes[i]);
    w.cboCh->setCurrentText("5");
    mod.Handle([&] { mod.StartChPgStudy(); });
    QStringList t5a;
    for (int i = 1; i <= 11; ++i)
        t5a << Q(Id("T5A", i) + " ");
    EXPECT_EQ(Rows(w.lstTestQue), t5a);
}

} // namespace korvell::testing
