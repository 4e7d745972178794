#pragma once
// The main window's transfer object, Inet1, as the program uses it.
#include <string>

namespace app {
class App;
}

namespace report {

// Fetches `url` (text or bytes alike), dispatching window events while the request runs.
// False when there is no transfer object, another request still runs, or the request
// failed or was cut off.
bool OpenURL(app::App& app, const std::string& url, std::string* body);
// Cuts off the running request.
void CancelTransfer(app::App& app);
bool StillExecuting(app::App& app);
// The last response's headers as one text.
std::string GetHeader(app::App& app);

}  // namespace report
