#include "cli/observer/observer.h"

#include <exception>

namespace trasel {
namespace {

void WriteLine(std::FILE* file, std::string_view line)
{
    std::fwrite(line.data(), 1, line.size(), file);
    std::fputc('\n', file);
}

void Notice(std::FILE* err, std::string_view text)
{
    WriteLine(err, "trasel-cli: " + std::string(text));
}

// The message dialog of one object's run: kept, shown by the caller.
class KeptMessage : public MessageDialog {
public:
    void ShowMessage(std::string_view text) override { Text = text; }
    std::optional<std::string> Text;
};

struct ObjectRun {
    std::string Designation;
    std::vector<std::string_view> Lines;
};

// "chart.svg" and 2 give "chart-2.svg"; a name without an extension gets "-2" at its end.
std::string NumberedPath(const std::string& path, std::size_t number)
{
    const std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
        dot = path.size();
    return path.substr(0, dot) + "-" + std::to_string(number) + path.substr(dot);
}

bool WriteFile(const std::string& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

bool ObserverOptions::Any() const
{
    return SkipNonPositions || EachObject || Json || !ChartPath.empty() || Sigma || Extras.Rates ||
           Extras.Residuals || Extras.Uncertainty;
}

ObserverOutcome RunObserver(std::span<const std::string_view> lines, const RunSettings& settings,
                            const ObserverOptions& options, std::FILE* out, std::FILE* err)
{
    ObserverExtras extras = options.Extras;
    std::vector<std::string_view> input(lines.begin(), lines.end());
    std::vector<ObjectRun> runs;
    try {
        if (options.Sigma)
            extras.Sigma = ReadSigma(*options.Sigma);
        if (options.SkipNonPositions) {
            PositionLines kept = DropNonPositions(lines);
            for (const SkippedLine& skipped : kept.Skipped)
                Notice(err, "line " + std::to_string(skipped.LineNumber) + " skipped: " + skipped.Reason);
            Notice(err, std::to_string(kept.ObservationsUsed) + " observations used");
            input = std::move(kept.Lines);
        }
        if (options.EachObject) {
            for (ObjectLines& object : GroupByDesignation(input))
                runs.push_back({std::move(object.Designation), std::move(object.Lines)});
        }
    } catch (const std::exception& error) {
        Notice(err, error.what());
        return ObserverOutcome::Failed;
    }
    // Without --each-object, or with no observation line at all, the one run
    // over the whole input gives the plain listing or the plain message.
    const bool eachObject = options.EachObject && !runs.empty();
    if (!eachObject)
        runs = {{"", std::move(input)}};

    ObserverOutcome outcome = ObserverOutcome::Listed;
    std::vector<ObjectReport> reports;
    bool listed = false;
    for (const ObjectRun& run : runs) {
        ListingCapture listing;
        KeptMessage message;
        try {
            CalculateEphemeris(run.Lines, settings, listing, message);
            if (message.Text) {
                if (eachObject)
                    Notice(err, run.Designation + ": " + *message.Text);
                else
                    WriteLine(err, *message.Text);
                outcome = ObserverOutcome::TooFewObservations;
                continue;
            }
            ObjectReport report = MakeReport(run.Lines, settings, listing.Lines);
            if (!options.Json) {
                if (listed)
                    WriteLine(out, "");  // one empty line between the objects' listings
                for (const std::string& line : ListingWithExtras(report, extras))
                    WriteLine(out, line);
                listed = true;
            }
            reports.push_back(std::move(report));
        } catch (const std::exception& error) {
            // As without the options: what the result box holds, then the error.
            if (!options.Json) {
                if (listed && !listing.Lines.empty())
                    WriteLine(out, "");
                for (const std::string& line : listing.Lines)
                    WriteLine(out, line);
            }
            std::fflush(out);
            Notice(err, eachObject ? run.Designation + ": " + error.what() : std::string(error.what()));
            return ObserverOutcome::Failed;
        }
    }

    try {
        if (options.Json && (eachObject || !reports.empty())) {
            const std::string document = JsonDocument(reports, extras, eachObject);
            std::fwrite(document.data(), 1, document.size(), out);
        }
        for (std::size_t i = 0; i < reports.size() && !options.ChartPath.empty(); ++i) {
            const std::string path = eachObject ? NumberedPath(options.ChartPath, i + 1) : options.ChartPath;
            if (!WriteFile(path, SvgChart(reports[i], extras))) {
                std::fflush(out);
                Notice(err, "cannot write the chart '" + path + "'");
                return ObserverOutcome::Failed;
            }
        }
    } catch (const std::exception& error) {
        std::fflush(out);
        Notice(err, error.what());
        return ObserverOutcome::Failed;
    }
    if (std::fflush(out) != 0 || std::ferror(out)) {
        Notice(err, "cannot write standard output");
        return ObserverOutcome::Failed;
    }
    return outcome;
}

}  // namespace trasel
