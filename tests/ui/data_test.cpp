// The data files shipped beside the program, read through the program's own
// readers: any drift between the pool, the section table, the figures and the
// texts fails here.
#include "core/logic.h"
#include "support/fake_platform.h"
#include "ui/info/infowindows.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

#include <QImage>
#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace korvell {
namespace {

class ShippedData : public ::testing::Test {
protected:
    void SetUp() override {
        Fake.Dir = KORVELL_DATA_DIR;
        Mod.Handle([this] { Mod.Main(); });
        ASSERT_FALSE(Fake.Ended);
        ASSERT_TRUE(Fake.Messages.empty())
            << Fake.Messages.front().Title << ": " << Fake.Messages.front().Text;
    }

    testing::FakePlatform Fake;
    modKorvell Mod{Fake};
};

TEST_F(ShippedData, EveryGroupIsNumberedFromOneUpToItsTableCount) {
    // The start-up check has compared the table with the exam groups; the
    // pool list has since taken over SecGroups, so the table's codes are used.
    ASSERT_EQ(Mod.NrSecGroups, 35);
    int total = 0;
    for (int i = 0; i < Mod.NrSecGroups; ++i) {
        const std::string& group = Mod.SecCntIds[i];
        ASSERT_GE(Mod.SecCnt[i], 3) << group;
        for (int16_t n = 1; n <= Mod.SecCnt[i]; ++n) {
            const std::string id = QuestionId(group, TwoDigits(n));
            EXPECT_GE(Mod.FindQuestionIndex(id), 0) << id << " is missing";
        }
        total += Mod.SecCnt[i];
    }
    // No question lies outside the counted numbers, and none is there twice.
    EXPECT_EQ(Mod.Npool, total);
    std::set<std::string> ids;
    for (int k = 0; k < Mod.Npool; ++k)
        EXPECT_TRUE(ids.insert(Trim(Mod.QuePool[k].QueNr)).second);
}

TEST_F(ShippedData, EveryQuestionIsCompleteAndItsFigureLoads) {
    std::set<std::string> figures;
    std::string letters;
    for (int k = 0; k < Mod.Npool; ++k) {
        const QueRec& q = Mod.QuePool[k];
        SCOPED_TRACE(q.QueNr);
        ASSERT_EQ(q.Answer.size(), 1u);
        ASSERT_NE(std::string("ABCD").find(q.Answer), std::string::npos);
        letters += q.Answer;
        for (const std::string* text :
             {&q.Question, &q.ChoiceA, &q.ChoiceB, &q.ChoiceC, &q.ChoiceD})
            EXPECT_GT(Trim(*text).size(), 0u);
        if (!q.Fig.empty()) {
            figures.insert(q.Fig);
            EXPECT_FALSE(QImage(QString::fromStdString(Mod.AppDir + q.Fig + ".jpg")).isNull());
        }
    }
    EXPECT_GE(figures.size(), 3u);
    for (char c : std::string("ABCD"))
        EXPECT_GT(std::count(letters.begin(), letters.end(), c), 20);
}

TEST_F(ShippedData, EveryReferenceIsAPlainChapterAndPageThatListsItsQuestions) {
    const std::regex plain("([2-9])-([1-9][0-9]?)");
    std::array<std::array<int, MaxPage + 1>, MaxChapter + 1> listed{};
    for (int k = 0; k < Mod.Npool; ++k) {
        const std::string ref = Trim(Mod.QuePool[k].ChPg);
        std::smatch m;
        ASSERT_TRUE(std::regex_match(ref, m, plain)) << Mod.QuePool[k].QueNr << ": " << ref;
        const int page = std::stoi(m[2]);
        ASSERT_LE(page, MaxPage);
        ++listed[std::stoi(m[1])][page];
    }
    for (int ch = 0; ch <= MaxChapter; ++ch)
        for (int pg = 0; pg <= MaxPage; ++pg)
            EXPECT_EQ(Mod.ChPgCount[ch][pg], listed[ch][pg]) << ch << "-" << pg;
    // Every chapter the chapter list offers has pages to study.
    for (int ch = 2; ch <= 9; ++ch) {
        int pages = 0;
        for (int pg = 0; pg <= MaxPage; ++pg)
            pages += Mod.ChPgCount[ch][pg] > 0;
        EXPECT_GE(pages, 3) << "chapter " << ch;
    }
}

TEST_F(ShippedData, HelpAndDisclaimerGiveRows) {
    EXPECT_GT(Mod.frmShowHelp->lstHelpText->count(), 40);
    EXPECT_GT(Mod.frmDisclaimer->lstDisclaimer->count(), 5);
    EXPECT_EQ(Mod.frmShowQue->txtNpool->text().toInt(), Mod.Npool);
}

} // namespace
} // namespace korvell
