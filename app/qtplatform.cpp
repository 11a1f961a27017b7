#include "app/qtplatform.h"

#include "core/options.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <chrono>
#include <cstdlib>

namespace korvell {

void QtPlatform::MsgBox(const std::string& Text, const std::string& Title) {
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(Title),
                    QString::fromStdString(Text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtPlatform::EndProgram(int Status) {
    std::_Exit(Status);
}

QtPlatform::QtPlatform() {
    if (const char* number = std::getenv("KORVELL_TEST_NUMBER")) TestNumber = WholeNumber(number);
}

void QtPlatform::Randomize() {
    if (TestNumber) {
        Numbered.emplace(*TestNumber);
        return;
    }
    // The clock is mixed into the generator's state, so two reseeds within one
    // clock tick still give different values.
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::uint32_t a = Generator(), b = Generator();
    std::seed_seq mix{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32), a, b};
    Generator = std::mt19937(mix);
}

float QtPlatform::Rnd() {
    if (Numbered) return Numbered->Next();
    // 24 random bits: every value is exact in single precision and below 1.
    return static_cast<float>(Generator() >> 8) * 0x1p-24f;
}

std::string QtPlatform::ProgramDir() {
    return QCoreApplication::applicationDirPath().toStdString();
}

} // namespace korvell
