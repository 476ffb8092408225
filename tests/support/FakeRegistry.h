#pragma once
// A classes registry held in memory and a command starter that records instead of starting.

#include "platform/ClassesRegistry.h"
#include "platform/CommandStarter.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rotenu::testing {

// Keys are full paths from the root without the leading "\" ("htmlfile\Shell\Open\Command");
// a key exists only when it was added. Records every path asked for and how many keys are open.
class FakeRegistry final : public ClassesRegistry {
public:
    void addKey(const std::string& path, RegistryValue defaultValue = {}) {
        keys[path] = std::move(defaultValue);
    }
    void addTextKey(const std::string& path, std::string text) {
        addKey(path, {RegistryValue::Type::Text, std::move(text)});
    }

    std::unique_ptr<RegistryKey> openKey(std::string_view path) override {
        opened.emplace_back(path);
        if (path.starts_with('\\'))
            path.remove_prefix(1);
        const auto found = keys.find(std::string(path));
        if (found == keys.end())
            return nullptr;
        return std::make_unique<Key>(*this, found->second);
    }

    std::map<std::string, RegistryValue> keys;
    std::vector<std::string> opened;
    int openKeys = 0;

private:
    class Key final : public RegistryKey {
    public:
        Key(FakeRegistry& registry, RegistryValue value) : m_registry(registry), m_value(std::move(value)) {
            ++m_registry.openKeys;
        }
        ~Key() override { --m_registry.openKeys; }
        RegistryValue defaultValue() override { return m_value; }

    private:
        FakeRegistry& m_registry;
        RegistryValue m_value;
    };
};

class RecordingCommandStarter final : public CommandStarter {
public:
    void start(std::string_view commandLine) override {
        started.emplace_back(commandLine);
        if (onStart)
            onStart(commandLine);
    }
    std::vector<std::string> started;
    std::function<void(std::string_view)> onStart;
};

} // namespace rotenu::testing
