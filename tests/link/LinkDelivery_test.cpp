// Which link's replies reach the program: the working link's all, every other link's only what
// the machine list needs (connection status, PING answers).
#include "LinkFixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <utility>

namespace {

using testsupport::RecordedReply;

size_t FromId(const std::vector<RecordedReply>& replies, unsigned id) {
    return static_cast<size_t>(std::count_if(replies.begin(), replies.end(), [&](const auto& r) { return r.id == id; }));
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The channel-0 stream bytes delivered, joined in delivery order.
std::string DeliveredStream(const std::vector<RecordedReply>& pieces) {
    std::string joined;
    for (const auto& p : pieces)
        if (p.layer == 0) joined.append(p.data.begin(), p.data.end());
    return joined;
}

// Each command of this number that a device received: {device id, the frame's target id}.
std::vector<std::pair<unsigned, unsigned>> Received(const std::string& logPath, uint8_t command) {
    std::vector<std::pair<unsigned, unsigned>> out;
    for (const auto& f : testsupport::ReadDevsimLog(logPath))
        if (f.type == 1 && f.payload.size() == 36 && f.payload[0] == command) out.emplace_back(f.device, f.target);
    return out;
}

constexpr unsigned kSerialDevice = 9;

enum class Step { Choose21, Choose22, Disconnect21, Connect21, OpenSerial, CloseSerial };

} // namespace

// Machines 21 and 22 on the network, each streaming a preview of its own, and machine 9 on a
// pseudo-terminal that the library opens as COM7. Both network links are open, none chosen.
class LinkDeliveryTest : public LinkTest {
protected:
    void StartMachines() {
        const std::string home = scratch.Path();
        std::filesystem::create_directories(home + "Ports");
        const std::string deviceEnd = home + "device-end";
        pair.emplace(home + "Ports/COM7", deviceEnd);
        ::setenv("VELKAN_HOME", home.c_str(), 1);
        ips = {testsupport::FreeDeviceAddress(21), testsupport::FreeDeviceAddress(22)};
        ASSERT_TRUE(devsim.Start({"--log", logPath, "--device", ips[0], "--preview", FirstStream, "--serial", deviceEnd,
                                  "--serial-id", "9", "--control", control}));
        ASSERT_TRUE(other.Start({"--log", otherLog, "--device", ips[1], "--preview", OtherStream, "--control", control}));
        const uint8_t targets[] = {21, 22};
        ASSERT_EQ(VelkComm_SetTargets(2, targets), 0);
        for (const auto& ip : ips) ASSERT_EQ(VelkComm_ConnectNet(ip.c_str(), 61213), 0);
        // Before any machine is chosen the machine list hears both; their HELLO answers also
        // carry the preview state, and their streams flow, but no link is at work.
        ASSERT_TRUE(recorder->PumpUntil(
            [&] { return FromId(recorder->OfSlot(0), 21) && FromId(recorder->OfSlot(0), 22); }, 5000));
        recorder->PumpFor(300);
        ASSERT_TRUE(recorder->OfSlot(1).empty());
        ASSERT_TRUE(recorder->OfSlot(26).empty());
    }
    void Do(Step step) {
        switch (step) {
        case Step::Choose21: ASSERT_EQ(VelkComm_SelectDevice(ips[0].c_str()), 0); break;
        case Step::Choose22: ASSERT_EQ(VelkComm_SelectDevice(ips[1].c_str()), 0); break;
        case Step::Disconnect21: ASSERT_EQ(VelkComm_DisconnectNet(ips[0].c_str()), 0); break;
        case Step::Connect21: {
            const size_t before = FromId(recorder->OfSlot(0), 21);
            ASSERT_EQ(VelkComm_ConnectNet(ips[0].c_str(), 61213), 0);
            ASSERT_TRUE(recorder->PumpUntil([&] { return FromId(recorder->OfSlot(0), 21) > before; }, 5000));
            break;
        }
        case Step::OpenSerial:
            ASSERT_NE(VelkComm_OpenCom(7, 115200), 0);
            // Its HELLO answer: the serial device's preview state.
            ASSERT_TRUE(recorder->PumpUntil([&] { return FromId(recorder->OfSlot(1), kSerialDevice) > 0; }, 5000));
            break;
        case Step::CloseSerial: ASSERT_EQ(VelkComm_CloseCom(), 0); break;
        }
        recorder->PumpFor(150);
    }
    // Every device changes its switcher mode by itself and reports it (slot 20) on each of its links.
    void DevicesReportUnasked() { std::ofstream(control, std::ios::app) << "switcher 1\n"; }
    std::vector<std::pair<unsigned, unsigned>> CommandsReceived(uint8_t command) {
        auto all = Received(logPath, command);
        const auto others = Received(otherLog, command);
        all.insert(all.end(), others.begin(), others.end());
        return all;
    }
    void TearDown() override {
        LinkTest::TearDown();
        other.Stop();
        ::unsetenv("VELKAN_HOME");
    }
    const std::string FirstStream = std::string(VELKAN_TEST_DATA_DIR) + "/preview_480x270.h264";
    const std::string OtherStream = std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264";
    std::optional<PtyPair> pair;
    testsupport::DevsimProcess other;
    std::string otherLog = scratch.Path() + "other.log";
    std::string control = scratch.Path() + "control";
    std::vector<std::string> ips;
};

namespace {

struct WorkingLinkRow {
    const char* what;
    std::vector<Step> steps;
    std::vector<unsigned> previewStates;          // ids whose preview state (slot 1) the steps delivered, in order
    std::set<std::pair<unsigned, int>> delivered; // {id, slot} of the answer to command 65 for 21 (slot 19)
                                                  // and the unasked reports (slot 20) that reach the program
    unsigned stream;                              // whose preview stream reaches the program (0: none)
    std::set<unsigned> heard;                     // whose PING answers reach the program
    std::vector<std::pair<unsigned, unsigned>> commandReached; // {device, target id} of command 65 for 21
};

std::ostream& operator<<(std::ostream& out, const WorkingLinkRow& row) { return out << row.what; }

const WorkingLinkRow kWorkingLinkRows[] = {
    {"no machine chosen yet", {}, {}, {}, 0, {21, 22}, {{21, 21}}},
    {"a machine chosen", {Step::Choose21}, {21}, {{21, 19}, {21, 20}}, 21, {21, 22}, {{21, 21}}},
    {"another machine chosen", {Step::Choose21, Step::Choose22}, {21, 22}, {{22, 20}}, 22, {21, 22}, {{21, 21}}},
    {"the same machine chosen again", {Step::Choose21, Step::Choose21}, {21}, {{21, 19}, {21, 20}}, 21, {21, 22},
     {{21, 21}}},
    {"the chosen machine disconnected", {Step::Choose21, Step::Disconnect21}, {21}, {}, 0, {22}, {}},
    {"the chosen machine disconnected and connected again", {Step::Choose21, Step::Disconnect21, Step::Connect21},
     {21}, {}, 0, {21, 22}, {{21, 21}}},
    {"the serial link opened after a choice", {Step::Choose21, Step::OpenSerial}, {21, 9}, {{9, 19}, {9, 20}}, 0,
     {21, 22, 9}, {{9, 255}}},
    {"the serial link closed", {Step::Choose21, Step::OpenSerial, Step::CloseSerial}, {21, 9}, {}, 0, {21, 22},
     {{21, 21}}},
    {"a machine chosen after the serial link closed",
     {Step::Choose21, Step::OpenSerial, Step::CloseSerial, Step::Choose21}, {21, 9, 21}, {{21, 19}, {21, 20}}, 21,
     {21, 22}, {{21, 21}}},
    {"a machine chosen while the serial link is open", {Step::OpenSerial, Step::Choose22}, {9}, {{9, 19}, {9, 20}}, 0,
     {21, 22, 9}, {{9, 255}}},
    {"a machine chosen while the serial link was open, once it closes",
     {Step::OpenSerial, Step::Choose22, Step::CloseSerial}, {9, 22}, {{22, 20}}, 22, {21, 22}, {{21, 21}}},
};

} // namespace

class WorkingLinkTest : public LinkDeliveryTest, public ::testing::WithParamInterface<WorkingLinkRow> {};

TEST_P(WorkingLinkTest, OnlyTheWorkingLinkIsHeardInFull) {
    const WorkingLinkRow& row = GetParam();
    StartMachines();
    for (Step step : row.steps) Do(step);
    std::vector<unsigned> previewStates;
    for (const auto& r : recorder->OfSlot(1)) previewStates.push_back(r.id);
    EXPECT_EQ(previewStates, row.previewStates);

    recorder->Clear();
    VelkComm_SendCommand(65, Block(0).data(), 21);
    DevicesReportUnasked();
    const std::string streamFile = row.stream == 21 ? FirstStream : OtherStream;
    const auto expectedArrived = [&] {
        for (const auto& [id, slot] : row.delivered)
            if (!FromId(recorder->OfSlot(slot), id)) return false;
        for (unsigned id : row.heard)
            if (!FromId(recorder->OfSlot(23), id)) return false;
        if (row.stream && DeliveredStream(recorder->OfSlot(26)).size() < 3000) return false;
        return CommandsReceived(65).size() >= row.commandReached.size();
    };
    ASSERT_TRUE(recorder->PumpUntil(expectedArrived, 5000));
    recorder->PumpFor(500); // what should not arrive has had its time too

    std::set<std::pair<unsigned, int>> delivered;
    std::set<unsigned> heard;
    for (const auto& r : recorder->Replies()) {
        if (r.slot == 23) heard.insert(r.id);
        else if (r.slot != 0 && r.slot != 26) delivered.insert({r.id, r.slot});
    }
    EXPECT_EQ(delivered, row.delivered);
    EXPECT_EQ(heard, row.heard);
    EXPECT_EQ(CommandsReceived(65), row.commandReached);
    const std::string stream = DeliveredStream(recorder->OfSlot(26));
    if (row.stream) {
        // The stream carries no machine id: it must be the working machine's file, piece after
        // piece, with nothing of the other machine's stream between.
        const std::string file = FileBytes(streamFile);
        EXPECT_NE((file + file + file).find(stream.substr(0, 3000)), std::string::npos);
    } else {
        EXPECT_TRUE(stream.empty()) << stream.size() << " stream bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, WorkingLinkTest, ::testing::ValuesIn(kWorkingLinkRows));

// ---- which slots pass from a machine that is not at work ----

namespace {

enum class Ask { Hello, Unasked, Query };
struct DeliveryRow {
    const char* what;
    int slot;
    Ask ask;
    uint32_t command;       // for Ask::Query, sent to both machines
    bool fromOtherMachine;  // whether the slot still arrives from a machine that is not at work
};

} // namespace

TEST_F(LinkDeliveryTest, OnlyConnectionStatusAndPingAnswersArriveFromAMachineThatIsNotAtWork) {
    StartMachines();
    Do(Step::Choose21);
    const DeliveryRow rows[] = {
        {"connection status", 0, Ask::Hello, 0, true},
        {"answer to PING", 23, Ask::Unasked, 0, true},
        {"preview state", 1, Ask::Hello, 0, false},
        {"whole state", 2, Ask::Query, 0, false},
        {"system information", 19, Ask::Query, 65, false},
        {"layer sources", 14, Ask::Query, 57, false},
        {"preset states", 17, Ask::Query, 62, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        recorder->Clear();
        if (row.ask == Ask::Hello) {
            for (const auto& ip : ips) ASSERT_EQ(VelkComm_ConnectNet(ip.c_str(), 61213), 0);
        }
        if (row.ask == Ask::Query) {
            ASSERT_EQ(VelkComm_SendCommand(row.command, Block(0).data(), 255), 0);
        }
        ASSERT_TRUE(recorder->PumpUntil([&] { return FromId(recorder->OfSlot(row.slot), 21) > 0; }, 5000));
        if (row.fromOtherMachine) {
            EXPECT_TRUE(recorder->PumpUntil([&] { return FromId(recorder->OfSlot(row.slot), 22) > 0; }, 5000));
        } else {
            recorder->PumpFor(400);
            EXPECT_EQ(FromId(recorder->OfSlot(row.slot), 22), 0u);
        }
    }
    // The other machine was asked too, and answered on the wire: the library held its answers back.
    EXPECT_EQ(Received(otherLog, 65), (std::vector<std::pair<unsigned, unsigned>>{{22, 255}}));
}

TEST_F(LinkDeliveryTest, AMachineChosenInsideACallbackIsHeardFromTheNextReplyOn) {
    StartMachines();
    // The program chooses machine 22 as its link comes (back): in the callback of its status.
    recorder->AfterEach([&](const RecordedReply& r) {
        if (r.slot == 0 && r.id == 22 && r.data == std::vector<uint8_t>{1}) VelkComm_SelectDevice(ips[1].c_str());
    });
    recorder->Clear();
    ASSERT_EQ(VelkComm_ConnectNet(ips[1].c_str(), 61213), 0); // HELLO again: status, then preview state
    // Dispatches far apart, so the status and the preview state behind it wait together: one
    // dispatch hands over both, the second judged after the callback chose the machine.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!FromId(recorder->OfSlot(0), 22) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        VelkComm_DispatchReplies();
    }
    ASSERT_EQ(FromId(recorder->OfSlot(0), 22), 1u);
    EXPECT_EQ(FromId(recorder->OfSlot(1), 22), 1u);
}
