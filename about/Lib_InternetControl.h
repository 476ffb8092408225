#pragma once
// Opening a web address with the browser command registered for HTML documents.

#include <string>
#include <string_view>

namespace rotenu {

class ClassesRegistry;
class CommandStarter;

// Puts the address into a registered open command: %1 becomes the address, %2-%9 vanish, %%
// becomes %, and a command without %1 gets the address appended in double quotes.
std::string ExpandBrowserCommand(std::string_view command, std::string_view address);
// The address with the bytes percent-encoded that would let a command line split it or end its
// quotes (controls, space, double and single quotes, backslashes outside double-byte characters)
// and a leading "-" or "#" (an option, a comment), so that it reaches the browser as one
// argument whether %1 stands bare, in double quotes or in single quotes.
std::string AddressForCommandLine(std::string_view address);
// The open command of the ".htm" (else ".html") file class, or "" when none is registered.
// Lets the registry's read error through.
std::string FindBrowserCommand(ClassesRegistry& registry);
// Starts the browser for the address; silent when there is none or it cannot start.
void OpenWebPage(std::string_view address, ClassesRegistry& registry, CommandStarter& starter);

} // namespace rotenu
