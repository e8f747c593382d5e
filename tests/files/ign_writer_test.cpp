#include "files/ign_firmware.h"
#include "files/ign_memo.h"
#include "files/ign_writer.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

#include "app/messages.h"
#include "model/document.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace kestrin;

namespace {

const IgnInfoTexts kInfo{" 5. 5.2007", "14:07", "IGN8201", "Dec 11 2026", "09:05:33"};

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

std::string lineStartingWith(const std::string& text, const std::string& head)
{
    for (const auto& line : linesOf(text))
        if (line.rfind(head, 0) == 0)
            return line;
    return "<none>";
}

}  // namespace

TEST(IgnWriter, FirstLinesAndLineEnds)
{
    ParameterImage image;
    image.setByte(off::BikeCode, 11);
    const std::string text = WriteParameterFile(image, kInfo);
    const auto lines = linesOf(text);
    ASSERT_GT(lines.size(), 4u);
    EXPECT_EQ(lines[0], "VALDORIX_KEY    82 ");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "BIKE            11 ");
    EXPECT_EQ(lines[3], std::string(13, ' '));
    // Every line feed belongs to a CR LF pair, wherever the file is written.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at " << i;
        }
    }
    // Without a memo the file ends with the memo head, no final line break.
    EXPECT_EQ(lines.back(), "MEMO         ");
}

TEST(IgnWriter, ValueFormatsAndLayoutOfSections)
{
    ParameterImage image;
    image.setByte(off::RpmPulses, 2);
    image.setByte(off::RpmCorrection, 40);  // written as 40 - 100
    image.setByte(off::ServoInEnable, 7);   // flags write 1 for any non-zero byte
    image.setByte(off::ServoInPercent, 0);
    image.setByte(off::ServoInHyster, 3);
    image.setByte(off::ServoInMode, 1);
    image.setByte(off::ServoInStepMotor, 1);
    image.setByte(off::StepMotorPeriod, 9);
    image.setByte(off::StepMotorExcitation, 255);
    image.setByte(off::ClutchAdv, 0xF6);  // -10 as signed byte
    image.setByte(off::Tps100, 7);
    image.setByte(off::ChokeCorr + 3, 255);
    image.setWord(off::ApsPressure1, 65535);
    const std::string text = WriteParameterFile(image, kInfo);

    EXPECT_EQ(lineStartingWith(text, "RPM "), "RPM              2   -60 ");
    EXPECT_EQ(lineStartingWith(text, "SERVO_IN "), "SERVO_IN         1     0    15     1     1     9 63750 ");
    EXPECT_EQ(lineStartingWith(text, "CLUTCH"), "CLUTCH           0     0     0   -10 ");
    EXPECT_EQ(lineStartingWith(text, "TPS"), "TPS              0  2570 ");
    EXPECT_EQ(lineStartingWith(text, "APS_IAPS"), "APS_IAPS     65535     0     0     0 ");
    EXPECT_NE(text.find("\r\n               100   100   100   355 \r\nSTART_INJ"), std::string::npos);
    EXPECT_NE(text.find("\r\nHEX   5. 5.2007  14:07   IGN8201\r\nEXE  Dec 11 2026   09:05:33\r\n\r\nMEMO         "),
              std::string::npos);
}

TEST(IgnWriter, MapSectionsBreakAfterEveryRowAndEndWithContinuationLine)
{
    ParameterImage image;
    for (int i = 0; i < 150; ++i)
        image.setByte(off::MapAdvance + i, static_cast<std::uint8_t>(i));
    image.setByte(off::ServoInPercent, 0);  // servo map written ×20
    image.setByte(off::MapServoIn, 12);
    const auto lines = linesOf(WriteParameterFile(image, kInfo));
    std::size_t head = 0;
    while (head < lines.size() && lines[head].rfind("ADVANCE ", 0) != 0)
        ++head;
    ASSERT_LT(head + 11, lines.size());
    EXPECT_EQ(lines[head].substr(0, 13 + 12), "ADVANCE          0     1 ");
    EXPECT_EQ(lines[head + 1].substr(0, 13 + 6), std::string(13, ' ') + "   15 ");
    EXPECT_EQ(lines[head + 10], std::string(13, ' '));
    EXPECT_EQ(lines[head + 11].rfind("JET1_MISC    ", 0), 0u);

    std::size_t servo = 0;
    while (servo < lines.size() && lines[servo] != "SERVO_IN_VALUE")
        ++servo;
    ASSERT_LT(servo + 12, lines.size());
    EXPECT_EQ(lines[servo + 1].substr(0, 19), std::string(13, ' ') + "  240 ");
    EXPECT_EQ(lines[servo + 11], std::string(13, ' '));
    EXPECT_EQ(lines[servo + 12], "");  // the blank line after the intake servo map
    EXPECT_EQ(lines[servo + 13].rfind("SERVO_EX ", 0), 0u);
}

TEST(IgnWriter, InformationLinesStayOneLineEach)
{
    ParameterImage image;
    IgnInfoTexts info = kInfo;
    info.firmwareName = "IGN\r\nTPS 1 2";
    const std::string text = WriteParameterFile(image, info);
    EXPECT_NE(text.find("\r\nHEX   5. 5.2007  14:07   IGN  TPS 1 2\r\nEXE  "), std::string::npos);
}

TEST(IgnWriter, MemoLinesFollowTheMemoHead)
{
    ParameterImage image;
    ASSERT_TRUE(packMemo(image, {"A", "BC", "", "\xe8\x9e"}));
    const std::string text = WriteParameterFile(image, kInfo);
    const std::string tail = "\r\nMEMO         \r\nA\r\nBC\r\n\r\n\xe8\x9e";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(IgnWriter, SavingReplacesTheFileWholeOrLeavesTheOldOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Document doc;
    doc.image.setByte(off::BikeCode, 11);
    const MessageTable messages(English);

    const std::string good = dir.filePath("set.ign").toStdString();
    std::string error;
    ASSERT_TRUE(saveParameterFile(doc, good, messages, &error));
    QFile saved(QString::fromStdString(good));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().startsWith("VALDORIX_KEY    82 \r\n"));

    // A name at the file system's length limit exists already, but the
    // temporary file beside it cannot be created: the write fails, the old
    // file keeps its content and the failure comes as "Open file error!".
    const QString longName = dir.filePath(QString(251, QChar('n')) + ".ign");
    {
        QFile old(longName);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content");
    }
    EXPECT_FALSE(saveParameterFile(doc, longName.toStdString(), messages, &error));
    EXPECT_EQ(error, messages[24]);
    EXPECT_FALSE(error.empty());
    QFile old(longName);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old content"));

    EXPECT_FALSE(saveParameterFile(doc, dir.filePath("missing/dir/set.ign").toStdString(), messages, &error));
}

TEST(FirmwareTexts, DecodedFromTheIdentificationBlock)
{
    EXPECT_EQ(firmwareTexts(Block{}).name, "");
    EXPECT_EQ(firmwareTexts(Block{}).date, "");

    Block id{};
    id[0] = 'K';
    id[1] = 'S';
    id[2] = 'T';
    id[3] = 7;
    id[4] = 5;
    id[5] = 39;  // "May"
    id[6] = 7;
    id[7] = 9;
    id[8] = 3;
    id[10] = 82;
    FirmwareTexts texts = firmwareTexts(id);
    EXPECT_EQ(texts.name, "KST07");
    EXPECT_EQ(texts.date, " 5. 5.2007");
    EXPECT_EQ(texts.time, "09:03");

    // A program name replaces the version text; a two-digit day has no blank.
    const char name[] = "Kestrin 82 race";
    std::copy(name, name + sizeof name - 1, id.begin() + 16);
    id[4] = 24;
    id[5] = 12;  // "Dec"
    texts = firmwareTexts(id);
    EXPECT_EQ(texts.name, "Kestrin 82 race");
    id[16] = 0x9A;  // 8-bit text stays as the unit sent it
    EXPECT_EQ(firmwareTexts(id).name, "\x9a" "estrin 82 race");
    EXPECT_EQ(texts.date, "24.12.2007");
}
