// The table of ocai-cli's commands: a new command is one entry here and its run function.
#include "tools/cli_common.h"
#include "tools/cli_min_group.h"

namespace cli {
namespace {

const char kMeanAbout[] =
    "--mean arithmetic (default): the group profile is the mean of the respondents' scores,\n"
    "  as the window computes it.\n"
    "--mean geometric: the compositional mean: for each state and type the geometric mean over\n"
    "  the respondents of their type scores (a score of 0 counts as 0.5), the four of each state\n"
    "  then scaled to sum 100. Intervals and tests use the same average.\n";

const OptionSpec kMean{"mean",
                       "arithmetic|geometric",
                       ValueKind::Choice,
                       "how the respondents are averaged (default arithmetic)",
                       false,
                       kMeanAbout};
const OptionSpec kSeed{"seed", "N", ValueKind::Seed,
                       "the resampling's seed, 0 to 2^63 - 1 (default 1)"};
const OptionSpec kCurrentColour{"current-colour", "N", ValueKind::Colour,
                                "the current state's colour: 0 black, 1 red (default), 2 green, "
                                "3 blue, 4 yellow"};
const OptionSpec kPreferredColour{"preferred-colour", "N", ValueKind::Colour,
                                  "the preferred state's colour, as above (default 3, blue)"};
const OptionSpec kPictureOut{"out", "FILE.png|FILE.gif", ValueKind::Path,
                             "the picture to write; the extension picks the format", true};

OptionSpec formatOption(const char *choices)
{
    return {"format", choices, ValueKind::Choice, "the output's form (default the first)"};
}

const char kDecryptAbout[] = "Prints the plain text of a result file as UTF-8.\n";

const char kEncryptAbout[] =
    "Turns plain text (FILE, or stdin when FILE is - or absent) into the letters of a result\n"
    "file; every line break becomes CR LF.\n";

const char kPlotAbout[] =
    "Writes the picture the window saves after loading FILE or DIR: Plot A under the\n"
    "information strip (686 x 698), Plot B's six question charts (686 x 543) or Plot C, the\n"
    "difference chart (334 x 353). With --scores, Plot A of the given scores alone.\n";

const char kReportAbout[] = "Writes the text report of the window's \"Save Data\".\n";

const char kServeAbout[] =
    "Collects questionnaires over the local network: respondents open a link in the browser of\n"
    "their phone or computer and fill in the questionnaire of ocai-survey; each finished one\n"
    "becomes the same \"<code>OCAI.cry\" file, in DIR (or DIR/<group>/), never replacing one.\n"
    "By default the server listens on every interface, so that the other computers of the\n"
    "network reach it; the firewall must let them connect to the port. --address 127.0.0.1\n"
    "keeps it to this computer. Prints one line per link, \"<group><TAB><url>\" (the group\n"
    "empty without --groups), and on a terminal its QR code; writes the code as \"DIR/<group>\n"
    "QR.png\" and \".svg\" (\"DIR/QR.png\" without groups). Then one line per finished\n"
    "questionnaire: time, group, file name. SIGINT (Ctrl+C) or SIGTERM stops it, exit 0.\n"
    "The links belong to DIR: their secret and port are kept in DIR/.ocai-link, so that a\n"
    "restart gives the same links and QR codes; a taken port is an error, not a new link.\n";

const std::vector<CommandSpec> kTable = {
    {"decrypt",
     {{"raw", "", ValueKind::Flag, "print Windows-1251 bytes, not UTF-8"}},
     "FILE",
     1,
     1,
     kDecryptAbout,
     runDecrypt},
    {"encrypt",
     {{"raw", "", ValueKind::Flag, "the input is Windows-1251 bytes, not UTF-8"},
      {"out", "OUT", ValueKind::Path, "write the letters to OUT, not to stdout"}},
     "[FILE|-]",
     0,
     1,
     kEncryptAbout,
     runEncrypt},
    {"profile",
     {kMean},
     "(FILE|DIR)",
     1,
     1,
     "Four lines: the code (\"Group\" for a DIR), the information line, the current and the\n"
     "preferred scores A B C D with two decimals and \".\". A DIR is every \"*OCAI.cry\" file\n"
     "in it, averaged as the window's \"Group\" command does.\n"
     "For a FILE both means give the file's own scores, except that geometric counts a type\n"
     "score of 0 as 0.5 and scales the four of each state to sum 100.\n",
     runProfile},
    {"plot a",
     {{"scores", "\"cA,cB,cC,cD;pA,pB,pC,pD\"", ValueKind::Text,
       "draw these scores (four current; four preferred) instead of a FILE or DIR"},
      kCurrentColour,
      kPreferredColour,
      kPictureOut},
     "(FILE|DIR)",
     1,
     1,
     kPlotAbout,
     runPlotA,
     "scores"},
    {"plot b",
     {kCurrentColour, kPreferredColour, kPictureOut},
     "(FILE|DIR)",
     1,
     1,
     kPlotAbout,
     runPlotB},
    {"plot c",
     {{"marks", "", ValueKind::Flag, "show the bars' values"}, kCurrentColour, kPictureOut},
     "(FILE|DIR)",
     1,
     1,
     kPlotAbout,
     runPlotC},
    {"report",
     {{"out", "FILE", ValueKind::Path, "the report to write", true}},
     "(FILE|DIR)",
     1,
     1,
     kReportAbout,
     runReport},
    {"pdf",
     {kMean,
      kSeed,
      {"names", "\"A[,B,...]\"", ValueKind::Text, "the groups' names in the report"},
      {"client", "NAME", ValueKind::Text, "the organisation the report is for"},
      {"title", "TEXT", ValueKind::Text, "the report's title"},
      kMinGroupOption,
      {"out", "FILE.pdf", ValueKind::Path, "the report to write", true}},
     "(FILE|DIR) [(FILE|DIR)...]",
     1,
     -1,
     "An A4 report in Russian, whatever the locale. Of one FILE or DIR: page 1 Plot A and the\n"
     "score table, then what the four types mean, the respondents' own scores as boxes and\n"
     "dots, the six question charts and the preferred - current chart, and the statistics of\n"
     "`ocai-cli stats` (same --mean and --seed) as tables and in words. Of two: both groups'\n"
     "scores side by side with Welch's and the permutation test of `ocai-cli compare`,\n"
     "Hedges' g, p < 0.05 marked, the differences in words (notable only when at least 10\n"
     "points and significant), both profiles on one chart, each group's change agenda and\n"
     "Plot A. Of three or more: one organisation report, a table of every group's scores and\n"
     "change agenda, the profiles side by side and a page per group. A group of fewer than\n"
     "--min-group respondents is held back from a report of several, which says so.\n"
     "Every report ends with a note on how the figures were computed.\n"
     "A DIR is named by its folder's name, a FILE by its respondent's code, unless --names\n"
     "gives a name to each. --client puts the organisation on page 1, in every footer and in\n"
     "the file's title; --title replaces the standard title.\n",
     runPdf},
    {"stats",
     {formatOption("text|csv|json"), kSeed, kMean},
     "(FILE|DIR)",
     1,
     1,
     "Statistics of a group: every \"*OCAI.cry\" file of DIR is a respondent; a FILE is a group\n"
     "of one. For each type and state: the mean (the group profile), the sample standard\n"
     "deviation (n - 1), minimum, maximum and a 95 % percentile bootstrap interval of the mean\n"
     "(2000 resamples of whole respondents, seeded by --seed, default 1: the same figures on\n"
     "every run; none for a group of one, json null). With --mean geometric the mean and its\n"
     "interval are compositional, while SD, minimum and maximum stay those of the respondents'\n"
     "scores. Then preferred - current per type, flagged (\"*\") when its printed value is 10\n"
     "points or more; the dominant type of each state (ties named together, a four-way tie said\n"
     "so) and its lead over the second; and for each\n"
     "question of the mean table its dominant current type and the mean absolute difference\n"
     "of its four current points from the arithmetic current profile.\n"
     "Text is Russian; csv (key,value) and json carry the same figures in full precision.\n",
     runStats},
    {"compare",
     {formatOption("text|csv|json"),
      kSeed,
      kMean,
      {"names", "\"A,B\"", ValueKind::Text, "the two groups' names"}},
     "(FILE|DIR) (FILE|DIR)",
     2,
     2,
     "Two groups side by side (two departments, or two rounds of one), each named by its\n"
     "folder or file unless --names names them: N, the eight means, the second's differences\n"
     "from the first, Hedges' g of each (the difference over the pooled standard deviation,\n"
     "times Hedges' exact small-sample correction; empty, json null, under four respondents in\n"
     "all or without spread) and, for each of\n"
     "the eight, Welch's two-sided t test (t,\n"
     "degrees of freedom, p; with --mean geometric on the centred log-ratios of the scores) and\n"
     "a permutation test of the difference (10000 shuffles of whole respondents seeded by\n"
     "--seed, default 1; p = (k + 1) / 10001, two-sided: k counts the shuffles whose\n"
     "|difference| >= |observed difference|). Welch's test needs two respondents in each\n"
     "group, else it is left empty (json null); when both groups are constant its t is 0 with\n"
     "p = 1 for equal means, else infinite (\"inf\", json null) with p = 0, df = nA + nB - 2.\n",
     runCompare},
    {"summary",
     {formatOption("csv|json"), kMean},
     "(FILE|DIR)...",
     1,
     -1,
     "One row per folder (the FILEs named from one folder are one group, a FILE alone a group\n"
     "of one): path, N, the four current and the four preferred scores, the dominant type of\n"
     "each state (ties named together) and the type whose preferred - current is largest in\n"
     "size (the first in A-D order on a tie) with that difference. A folder that fails is\n"
     "reported on stderr and skipped; the other rows are still written, and the exit status is\n"
     "then 1.\n",
     runSummary},
    {"export",
     {kMean,
      kSeed,
      {"names", "\"A,B,...\"", ValueKind::Text, "the groups' sheet names, one per FILE or DIR"},
      {"client", "NAME", ValueKind::Text, "the organisation the workbook is for, atop each sheet"},
      {"title", "TEXT", ValueKind::Text, "the survey's caption atop each sheet"},
      kMinGroupOption,
      {"free-text", "", ValueKind::Flag,
       "include the respondents' own line (names, positions); left out by default"},
      {"out", "FILE.xlsx", ValueKind::Path, "the workbook to write", true}},
     "(FILE|DIR)...",
     1,
     -1,
     "A spreadsheet of one or more groups for a client (a DIR is every \"*OCAI.cry\" file in\n"
     "it, the FILEs named from one folder are one group, a FILE alone a group of one). Every\n"
     "sheet is headed by --client and --title. The first, the summary, has one row per group:\n"
     "N, the eight scores, the dominant types and the change agenda (more, less or keep each\n"
     "type, with how many respondents want more and less of it). Then one sheet per group,\n"
     "named after its folder unless --names names them: the scores per type and state,\n"
     "preferred - current, every figure of `ocai-cli stats` with the same --mean and --seed,\n"
     "the mean points per question and a chart of current against preferred, each block with\n"
     "a line saying what it means. Then the raw data: one row per respondent, group after\n"
     "group in file order (the group's name, the file name, the code, date, start and\n"
     "duration, and the eight scores; the respondent's own line only with --free-text), and a\n"
     "row per answer with its four points and its time. No path appears in the workbook.\n"
     "A group of fewer than --min-group respondents (default 5) is held back from every sheet,\n"
     "and the summary says so and why (exit 1 when no group is left to show); a FILE alone, a\n"
     "respondent's own workbook, is shown.\n"
     "A group that fails to load is reported on stderr and left out; the others are still\n"
     "written, and the exit status is then 1. FILE.xlsx is replaced only by a complete\n"
     "workbook.\n",
     runExport},
    {"check",
     {},
     "(FILE|DIR)...",
     1,
     -1,
     "Warns of what a load lets through without a word, one line per finding: \"FILE:\n"
     "warning\" in Russian, naming the question and state (\"вопрос 3, текущее состояние:\n"
     "сумма 90 вместо 100\"). An answer shorter than its 23 characters, or with characters\n"
     "after them (they are not read); points that do not sum to 100; a time of 100 000 s or\n"
     "more; text after the answers, which is not read (two result files joined read as the\n"
     "first alone). A DIR is each \"*OCAI.cry\" entry in it, checked on its own: a folder so\n"
     "named is reported, as is every file that cannot be read (on stderr, with its reason in\n"
     "Russian), and the others are still checked; then each file repeating the respondent\n"
     "code of an earlier one, a line each: \"DIR/I4-2OCAI.cry: повтор кода «I4»: тот же код\n"
     "в файле «I4OCAI.cry»\" (both are counted; the anonymity floor counts one person).\n"
     "Exit status 0 when nothing is found, 1 when anything is reported.\n",
     runCheck},
    {"serve",
     {{"groups", "\"G1,G2\"", ValueKind::Text,
       "one link per group, each writing into DIR/<group>/ (made when missing)"},
      {"address", "A", ValueKind::Text,
       "the address to listen on (default every interface: the local network)"},
      {"port", "N", ValueKind::Text,
       "the port, 0 to 65535 (default 0: the folder's own, a free one the first time)"},
      {"token", "T", ValueKind::Text,
       "the links' secret, 16 to 64 letters, digits, '-' or '_' (default: the folder's own, "
       "128 random bits the first time)"},
      {"new-link", "", ValueKind::Flag,
       "a new secret and port for the folder: the earlier links and QR codes stop working"},
      {"tls-cert", "FILE.pem", ValueKind::Path, "HTTPS with this certificate (PEM)"},
      {"tls-key", "FILE.pem", ValueKind::Path, "and this private key (PEM, no passphrase)"}},
     "DIR",
     1,
     1,
     kServeAbout,
     runServe},
};

} // namespace

const std::vector<CommandSpec> &commandTable()
{
    return kTable;
}

} // namespace cli
