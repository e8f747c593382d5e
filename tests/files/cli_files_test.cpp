// kestrin-cli's file commands, run as the user runs them.

#include "app/messages.h"
#include "files/file_steps.h"
#include "files/ign_writer.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <string>
#include <sys/wait.h>

using namespace kestrin;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

void spit(const std::string& path, const std::string& bytes)
{
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

class CliFiles : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }

    CliRun run(const std::string& arguments) const
    {
        const std::string err = path("stderr.txt");
        const std::string command = std::string(KESTRIN_BINARY_DIR) + "/src/app/kestrin-cli " + arguments + " 2>" + err;
        CliRun result;
        std::FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return result;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            result.out.append(buffer, n);
        const int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = slurp(err);
        return result;
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(CliFiles, DefaultsAreTheSaveAllNewFileAndImageReadsThemBack)
{
    const CliRun defaults = run("defaults 26");
    ASSERT_EQ(defaults.status, 0) << defaults.err;
    Document doc;
    PrepareDefaultSet(doc, 26);
    EXPECT_EQ(defaults.out, WriteParameterFile(doc.image, ignInfoTexts(doc)));

    ASSERT_EQ(run("defaults 26 -o " + path("26.ign")).status, 0);
    EXPECT_EQ(slurp(path("26.ign")), defaults.out);

    // Loading the default set and running the after-load steps gives the
    // same image as building it.
    const CliRun fromFile = run("image " + path("26.ign"));
    const CliRun fromBike = run("image --bike 26");
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, fromBike.out);
    EXPECT_EQ(std::count(fromBike.out.begin(), fromBike.out.end(), '\n'), kImageSize / 15);
}

TEST_F(CliFiles, RefusedFilesAndBadUsage)
{
    spit(path("v99.ign"), "VALDORIX_KEY 99\r\nBIKE 3\r\n");
    struct Case {
        std::string arguments;
        int status;
        std::string err;  // expected part of stderr
    };
    const Case cases[] = {
        {"image " + path("v99.ign"), 2, MessageTable(English)[28]},
        {"image " + path("v99.ign") + " --language CESKY", 2, MessageTable(Czech)[28]},
        {"image " + path("missing.ign") + " --language DEUTSCH", 2, MessageTable(German)[24]},
        {"normalize " + path("v99.ign"), 2, MessageTable(English)[28]},
        {"defaults 61", 2, "bike code"},
        {"defaults 11 -o " + path("no/such/dir/x.ign"), 1, MessageTable(English)[24]},
        {"merge " + path("v99.ign") + " " + path("v99.ign"), 2, "usage"},
        {"merge a b --page Nowhere", 2, "page"},
        {"image --bike 3 " + path("v99.ign"), 2, "usage"},
        {"image " + path("v99.ign") + " --language KLINGON", 2, "--language"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun r = run(c.arguments);
        EXPECT_EQ(r.status, c.status);
        EXPECT_FALSE(c.err.empty());
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

TEST_F(CliFiles, NormalizeMergeAndDiff)
{
    ASSERT_EQ(run("defaults 11 -o " + path("base.ign")).status, 0);
    // A hand-written file: one cell of Inj-1A, one of Inj-2A and a limiter.
    std::string cells;
    for (int i = 0; i < 150; ++i)
        cells += i == 3 * 15 + 7 ? " 2345" : " 1000";
    spit(path("hand.ign"), "VALDORIX_KEY 82\nBIKE 11\nJET_1A" + cells + "\nJET_2A" + cells + "\nLIMITER 1 2 3 4 5\n");

    const CliRun normalized = run("normalize " + path("hand.ign") + " -o " + path("norm.ign"));
    ASSERT_EQ(normalized.status, 0) << normalized.err;
    EXPECT_EQ(slurp(path("norm.ign")).rfind("VALDORIX_KEY    82 \r\n\r\nBIKE            11 \r\n", 0), 0u);
    EXPECT_EQ(run("diff " + path("hand.ign") + " " + path("norm.ign")).status, 0);

    // Merging the Inj-1A page takes JET_1A and nothing else of the file.
    ASSERT_EQ(run("merge " + path("base.ign") + " " + path("hand.ign") + " --page Inj-1A -o " + path("m1.ign")).status, 0);
    ASSERT_EQ(run("merge " + path("base.ign") + " " + path("hand.ign") + " --page 2 -o " + path("m2.ign")).status, 0);
    EXPECT_EQ(slurp(path("m1.ign")), slurp(path("m2.ign")));
    const CliRun diff = run("diff " + path("base.ign") + " " + path("m1.ign"));
    EXPECT_EQ(diff.status, 1);
    EXPECT_NE(diff.out.find("MapJet1A[row 3][col 7]: "), std::string::npos) << diff.out;
    EXPECT_NE(diff.out.find(" -> 2345\n"), std::string::npos) << diff.out;
    EXPECT_EQ(diff.out.find("MapJet2A"), std::string::npos) << diff.out;
    EXPECT_EQ(diff.out.find("IgnLimiter"), std::string::npos) << diff.out;

    EXPECT_EQ(run("diff " + path("base.ign") + " " + path("missing.ign")).status, 2);
}

TEST_F(CliFiles, DefaultsMatchEveryFileOfSaveAllNew)
{
    ASSERT_EQ(run("save-all-new " + path("")).status, 0);
    const QStringList files = QDir(dir.filePath("new_ign")).entryList({"*.ign"}, QDir::Files);
    ASSERT_EQ(files.size(), 61);
    for (const QString& name : files) {
        const std::string saved = slurp(dir.filePath("new_ign/" + name).toStdString());
        // Line 3 is "BIKE", padding, the code.
        const std::size_t bike = saved.find("\r\nBIKE");
        ASSERT_NE(bike, std::string::npos);
        const int code = std::stoi(saved.substr(bike + 6, 20));
        EXPECT_EQ(run("defaults " + std::to_string(code)).out, saved) << name.toStdString();
    }
}
