#include "app/commands/GesturesCommand.h"

#include "app/commands/CommandProgress.h"
#include "app/commands/GestureJson.h"
#include "app/commands/MessageName.h"
#include "app/commands/PreferencesStore.h"
#include "app/commands/TabSeparated.h"
#include "app/commands/TargetsCommand.h"
#include "core/GestureConflicts.h"
#include "core/GestureRecognitionModel.h"
#include "core/GestureStorability.h"
#include "launch/Settings.h"
#include "launch/LaunchableCatalogue.h"
#include "launch/TargetNameCache.h"
#include "files/SafeFile.h"
#include "appearance/IconResolver.h"
#include "sheet/GestureSheet.h"
#include "sheet/GestureSheetFile.h"
#include "platform/Translations.h"

#include <QGuiApplication>

#include <algorithm>
#include <iostream>
#include <sstream>

namespace scriblo {

const char GesturesCommand::usage[] =
    "  gestures list                      stored gestures: IDENTITY, STROKES, POINTS (of the first\n"
    "                                     drawing), DRAWINGS\n"
    "  gestures import FILE               save the gestures of a JSON file\n"
    "  gestures export                    print the stored gestures as JSON\n"
    "  gestures recognize [FILE...]       match JSON Lines drawings (standard input without FILE):\n"
    "                                     IDENTITY, SCORE, or - when nothing matches\n"
    "  gestures conflicts                 pairs that recognise as each other at or above the minimum\n"
    "                                     recognition score: IDENTITY, IDENTITY, SCORE AS SECOND,\n"
    "                                     SCORE AS FIRST (- when the matcher finds no match)\n"
    "  gestures sheet --output FILE       draw every stored gesture with its target on A4 pages, as\n"
    "                                     PDF, PNG or SVG by FILE's extension; a PNG or SVG sheet of\n"
    "                                     several pages is written as NAME-1.png, NAME-2.png, ...\n"
    "                                     Prints the files written\n"
    "  gestures delete IDENTITY           delete one gesture\n"
    "    --store FILE                     the preferences file (default: the user's own)\n"
    "    Identities in tab-separated output show a tab, a line break and \\ as \\t \\n \\r \\\\\n";

namespace {

class Session {
public:
    Session(const std::optional<std::string>& storePath, PropertyListUserDefaults::Access access,
            GestureRecognitionModel::Templates templates = GestureRecognitionModel::Templates::Skip)
        : m_progress(access == PropertyListUserDefaults::Access::ReadWrite ? std::make_unique<CommandProgress>("updating the store:") : nullptr)
        , m_defaults(PreferencesStore::open(storePath, access))
        , m_model(*m_defaults, templates)
    {
        if (m_progress)
            followTheStore();
        m_model.setup();
        reportLoadProblems();
    }

    // A command that changes the store reads it whole and writes it whole: the reading
    // is the first half of its progress, the writing the second.
    void followTheStore()
    {
        m_model.setProgress([this](GestureRecognitionModel::Pass pass, size_t done, size_t total) {
            size_t before = pass == GestureRecognitionModel::Pass::Writing ? total : 0;
            m_progress->advance(before + done, 2 * total);
        });
    }

    // Before a message, which must not land on the progress line.
    void clearProgress()
    {
        if (m_progress)
            m_progress->clear();
    }

    GestureRecognitionModel& model() { return m_model; }
    // The score the recognition window accepts; an absent setting reads as its default.
    int32_t minimumRecognitionScore() const
    {
        Settings settings(m_defaults, nullptr, [] { return false; });
        settings.readMinimumRecognitionScore();
        return settings.minimumRecognitionScore();
    }

    void reportBackup()
    {
        clearProgress();
        if (auto backup = m_model.backupPath())
            std::cerr << "scriblo: the unreadable gestures were kept in " << *backup << "\n";
    }

    // A few problems name what was damaged; a long list would only bury the summary.
    void reportLoadProblems()
    {
        auto problems = m_model.loadProblems();
        if (!problems.empty())
            clearProgress();
        constexpr size_t shown = 3;
        for (size_t i = 0; i < problems.size() && i < shown; ++i)
            std::cerr << "scriblo: warning: " << m_defaults->path().string() << ": " << problems[i] << "\n";
        if (problems.size() > shown)
            std::cerr << "scriblo: warning: " << problems.size() - shown << " more damaged entries\n";
        if (!problems.empty())
            std::cerr << "scriblo: the stored value is left as it is and backed up before it is next replaced\n";
    }

    // `reason` carries the store's own words (a full disk, a damaged file whose copy could
    // not be kept).
    [[noreturn]] void fail(const std::string& reason)
    {
        clearProgress();
        throw InputError(m_defaults->path().string() + ": " + reason);
    }

private:
    // First, so that its second before it shows counts from the opening of the file.
    std::unique_ptr<CommandProgress> m_progress;
    std::shared_ptr<PropertyListUserDefaults> m_defaults;
    GestureRecognitionModel m_model;
};

int list(Session& session)
{
    for (const auto& gesture : *session.model().recognizer()->loadedGestures())
        std::cout << TabSeparated::escaped(gesture->identity()) << '\t' << gesture->strokes().size() << '\t' << gesture->totalPointCount()
                  << '\t' << gesture->drawingCount() << '\n';
    return 0;
}

std::string scoreField(std::optional<int32_t> score)
{
    return score ? std::to_string(*score) : "-";
}

int conflicts(Session& session)
{
    auto stored = session.model().recognizer()->loadedGestures();
    CommandProgress progress("comparing the gestures with each other:");
    GestureConflicts::pairs(
        *stored, session.minimumRecognitionScore(),
        [](const GesturePairConflict& pair) {
            std::cout << TabSeparated::escaped(pair.first) << '\t' << TabSeparated::escaped(pair.second) << '\t'
                      << scoreField(pair.firstAsSecond) << '\t' << scoreField(pair.secondAsFirst) << '\n';
        },
        [&](size_t done, size_t total) { progress.advance(done, total); });
    return 0;
}

std::string readFile(const std::string& path)
{
    auto text = SafeFile::read(path, GestureJson::maximumDocumentSize);
    if (!text)
        throw InputError(path + ": " + text.error());
    return std::move(text.value());
}

// Gestures too short or too long to recognise are left out, each named with the reason,
// rather than failing a file of otherwise good gestures.
std::vector<Gesture> storableGestures(std::vector<GestureJson::Entry> entries)
{
    std::vector<Gesture> gestures;
    gestures.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        Gesture gesture = std::move(entries[i]).gesture();
        if (auto storable = GestureStorability::check(gesture); !storable) {
            std::cerr << "scriblo: skipped gesture " << i + 1 << " '" << MessageName::of(gesture.identity()) << "': " << storable.error() << "\n";
            continue;
        }
        gestures.push_back(std::move(gesture));
    }
    return gestures;
}

// A gesture whose identity no target has now is stored all the same: the script may be
// written or the disk mounted later. But it launches nothing until then, which the user
// should hear of now rather than at the first drawing.
void warnOfIdentitiesWithoutTarget(const std::vector<Gesture>& gestures)
{
    auto catalogue = TargetsCommand::fetchedCatalogue();
    for (const auto& gesture : gestures) {
        if (!catalogue->findLaunchableWithId(gesture.identity()))
            std::cerr << "scriblo: warning: '" << MessageName::of(gesture.identity()) << "' matches no current target (see scriblo targets list); imported all the same\n";
    }
}

// The whole file is checked first and stored with one write, so a bad, oversized or
// interrupted import leaves the store as it was.
int import(Session& session, const std::string& path)
{
    auto entries = GestureJson::gesturesFromJson(GestureJson::parse(readFile(path), path), path);
    for (size_t i = 0; i < entries.size(); ++i) {
        auto tooManyStrokes = [](const auto& strokes) { return strokes.size() > size_t(Gesture::maximumStrokeCount); };
        if (tooManyStrokes(entries[i].strokes) || std::any_of(entries[i].moreDrawings.begin(), entries[i].moreDrawings.end(), tooManyStrokes))
            throw InputError(path + ": gesture " + std::to_string(i + 1) + ": more than " + std::to_string(Gesture::maximumStrokeCount) + " strokes");
    }
    size_t given = entries.size();
    session.clearProgress();
    auto storable = storableGestures(std::move(entries));
    if (given > 0 && storable.empty())
        throw InputError(path + ": every gesture was skipped; nothing was imported");
    auto saved = session.model().saveGestures(storable);
    if (!saved)
        session.fail(saved.error() + "; nothing was imported from " + path);
    session.reportBackup();
    warnOfIdentitiesWithoutTarget(storable);
    return 0;
}

int exportGestures(Session& session)
{
    std::cout << GestureJson::gesturesToJson(*session.model().recognizer()->loadedGestures()).dump(1) << '\n';
    return 0;
}

// Like std::getline, but a line may be no longer than a file: standard input has no
// size to check beforehand.
bool readLine(std::istream& stream, std::string& line, const std::string& where)
{
    line.clear();
    for (int c = stream.get(); c != std::char_traits<char>::eof(); c = stream.get()) {
        if (c == '\n')
            return true;
        if (line.size() == GestureJson::maximumDocumentSize)
            throw InputError(where + ": a line is longer than " + std::to_string(GestureJson::maximumDocumentSize) + " bytes");
        line.push_back(char(c));
    }
    return !line.empty();
}

void recognizeStream(Session& session, std::istream& stream, const std::string& name)
{
    auto recognizer = session.model().recognizer();
    std::string line;
    for (size_t number = 1; readLine(stream, line, name + ":" + std::to_string(number)); ++number) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        std::string where = name + ":" + std::to_string(number);
        auto drawing = GestureJson::parse(line, name, number);
        if (!drawing.is_object() || !drawing.contains("strokes"))
            throw InputError(where + ": expected {\"strokes\": [...]}");
        auto result = recognizer->recognizeGestureWithStrokes(GestureJson::strokesFromJson(drawing["strokes"], where));
        if (result)
            std::cout << TabSeparated::escaped(result->gestureIdentity()) << '\t' << result->score() << '\n';
        else
            std::cout << "-\n";
    }
    if (stream.bad())
        throw InputError(name + ": cannot read the file");
}

int recognize(Session& session, const std::vector<std::string>& files)
{
    if (files.empty()) {
        recognizeStream(session, std::cin, "<stdin>");
        return 0;
    }
    for (const auto& file : files) {
        std::istringstream stream(readFile(file));
        recognizeStream(session, stream, file);
    }
    return 0;
}

// Fonts and icons need a Qt application; a sheet needs no screen, so none is asked for
// unless the user chose a platform. The pages are for people, so they speak the user's
// language as the windows do, built-in scripts' names included: the catalogue is
// fetched after the translations are in place.
int writeSheet(Session& session, const std::string& output, GestureSheetFile::Format format)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "scriblo";
    char* argv[] = { name, nullptr };
    QGuiApplication application(argc, argv);
    Translations::install(application);
    auto catalogue = TargetsCommand::fetchedCatalogue();
    auto stored = session.model().recognizer()->loadedGestures();
    TargetNameCache targetNames(TargetNameCache::standardPath());
    targetNames.load();
    targetNames.learn(*stored, *catalogue);
    IconResolver icons;
    GestureSheet sheet(GestureSheetContents::of(*stored, *catalogue, targetNames.names()), icons);
    CommandProgress progress("drawing the pages:");
    auto written = GestureSheetFile::write(sheet, output, format, [&](int drawn, int pages) {
        progress.advance(size_t(drawn), size_t(pages));
    });
    if (!written)
        throw InputError(written.error());
    for (const auto& path : written.value())
        std::cout << TabSeparated::escaped(path.string()) << '\n';
    return 0;
}

int deleteGesture(Session& session, const std::string& identity)
{
    if (!session.model().getGestureWithIdentity(identity))
        throw InputError("no stored gesture has the identity '" + MessageName::of(identity) + "'");
    if (auto deleted = session.model().deleteGestureWithName(identity); !deleted)
        session.fail(deleted.error());
    session.reportBackup();
    return 0;
}

int sheet(CommandLine& commandLine, const std::optional<std::string>& storePath)
{
    auto output = commandLine.takeOption("--output");
    commandLine.expectEnd();
    if (!output)
        throw UsageError("gestures sheet needs --output FILE");
    auto format = GestureSheetFile::formatOf(*output);
    if (!format)
        throw UsageError("cannot tell the format of '" + *output + "': name a .pdf, .png or .svg file");
    Session session(storePath, PropertyListUserDefaults::Access::ReadOnly);
    return writeSheet(session, *output, *format);
}

}

int GesturesCommand::run(CommandLine& commandLine, const CommandServices&)
{
    auto storePath = commandLine.takeOption("--store");
    std::string action = commandLine.required("a gestures command (list, import, export, recognize, conflicts, sheet, delete)");
    if (action == "recognize") {
        auto files = commandLine.rest();
        Session session(storePath, PropertyListUserDefaults::Access::ReadOnly, GestureRecognitionModel::Templates::Build);
        return recognize(session, files);
    }
    if (action == "sheet")
        return sheet(commandLine, storePath);
    std::optional<std::string> argument;
    if (action == "import")
        argument = commandLine.required("the file to import");
    else if (action == "delete")
        argument = commandLine.requiredIdentity("the identity to delete");
    else if (action != "list" && action != "export" && action != "conflicts")
        throw UsageError("unknown gestures command '" + action + "'");
    commandLine.expectEnd();
    bool writes = action == "import" || action == "delete";
    // Only a comparison of drawings needs templates.
    bool compares = action == "conflicts";
    Session session(storePath, writes ? PropertyListUserDefaults::Access::ReadWrite : PropertyListUserDefaults::Access::ReadOnly,
                    compares ? GestureRecognitionModel::Templates::Build : GestureRecognitionModel::Templates::Skip);
    if (action == "list")
        return list(session);
    if (action == "export")
        return exportGestures(session);
    if (action == "conflicts")
        return conflicts(session);
    if (action == "import")
        return import(session, *argument);
    return deleteGesture(session, *argument);
}

}
