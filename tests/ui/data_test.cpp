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
        const std::string ref = Trim(q.ChPg);
        const int ch = ref.size() > 2 ? ref[0] - '0' : 0, pg = ch ? std::atoi(&ref[2]) : 0;
        ASSERT_TRUE(ch >= 2 && ch <= 9 && pg >= 1 && pg <= MaxPage &&
                    ref == std::to_string(ch) + "-" + std::to_string(pg))
            << ref;
        ++listed[ch][pg];
    }
    EXPECT_GE(figures.size(), 3u);
    for (int ch = 0; ch <= MaxChapter; ++ch)
        for (int pg = 0; pg <= MaxPage; ++pg)
            EXPECT_EQ(mod.ChPgCount[ch][pg], listed[ch][pg]) << ch << "-" << pg;
    // 4. The help and disclaimer texts give their rows.
    EXPECT_GT(mod.frmShowHelp->lstHelpText->count(), 40);
    EXPECT_GT(mod.frmDisclaimer->lstDisclaimer->count(), 5);
    EXPECT_EQ(mod.frmShowQue->txtNpool->text().toInt(), mod.Npool);
}

} // namespace korvell::testing
