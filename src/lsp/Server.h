#pragma once

// The language server: JSON-RPC messages in, answers and notifications out,
// the open documents and their analyses in between. It owns no input or
// output and no clock: the program feeds it what stdin delivers, hands it
// the time, and writes what it says; tests do the same with strings.

#include "lsp/Analysis.h"
#include "lsp/Framing.h"
#include "lsp/SheetCache.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace lsp {

using Json = nlohmann::json;
using Clock = std::chrono::steady_clock;

// Diagnostics wait this long after a change, so that typing is not answered
// keystroke by keystroke.
inline constexpr std::chrono::milliseconds kDiagnosticsDelay { 150 };

// JSON-RPC and protocol error codes.
enum ErrorCode {
    kParseError = -32700,
    kInvalidRequest = -32600,
    kMethodNotFound = -32601,
    kInvalidParams = -32602,
    kInternalError = -32603,
    kServerNotInitialized = -32002,
    kRequestFailed = -32803,
};

// A request that fails with a message for the user.
struct RequestError {
    int code;
    std::string message;
};

struct ClientOptions {
    PositionEncoding encoding = PositionEncoding::utf16;
    bool markdown = false;
};

// Starts the viewer on a command of a code lens; tests replace it.
using Launcher = std::function<void(const std::vector<std::string>& arguments)>;

class Server {
public:
    using Output = std::function<void(const std::string& framedMessage)>;
    explicit Server(Output output, Launcher launcher = {});
    ~Server();

    // Bytes from the client, in any pieces.
    void receive(std::string_view bytes, Clock::time_point now = Clock::now());
    // Publishes the diagnostics that are due.
    void tick(Clock::time_point now = Clock::now());
    // When the next diagnostics are due; none while nothing waits.
    std::optional<Clock::time_point> nextDue() const;

    bool exited() const { return m_exitCode.has_value(); }
    int exitCode() const { return m_exitCode.value_or(1); }

private:
    void handle(const Frame& frame, Clock::time_point now);
    void dispatch(const Json& message, Clock::time_point now);
    Json request(const std::string& method, const Json& params);
    void notification(const std::string& method, const Json& params, Clock::time_point now);
    Json initialize(const Json& params);
    OpenDocument& document(const Json& params);
    void publish(OpenDocument& document);
    void send(const Json& message);
    void respondError(const Json& id, int code, const std::string& message);
    void log(const std::string& message);

    Output m_output;
    Launcher m_launcher;
    MessageReader m_reader;
    ClientOptions m_client;
    SheetCache m_sheets;
    std::map<std::string, std::unique_ptr<OpenDocument>> m_documents;
    std::map<std::string, Clock::time_point> m_due;
    bool m_initialized = false;
    bool m_shutdown = false;
    std::optional<int> m_exitCode;
};

} // namespace lsp
