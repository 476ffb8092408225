#include "platform/CanberraContext.h"

#include <canberra.h>

namespace rotenu {

CanberraContext::~CanberraContext() {
    if (m_context)
        ca_context_destroy(m_context);
}

ca_context* CanberraContext::context() {
    if (m_context || m_failed)
        return m_context;
    if (ca_context_create(&m_context) != CA_SUCCESS) {
        m_context = nullptr;
        m_failed = true;
        return nullptr;
    }
    ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "rotenu", CA_PROP_APPLICATION_ID,
                            "rotenu", nullptr);
    if (ca_context_open(m_context) != CA_SUCCESS) {
        ca_context_destroy(m_context);
        m_context = nullptr;
        m_failed = true;
    }
    return m_context;
}

bool CanberraContext::playEvent(const char* eventId) {
    ca_context* ctx = context();
    return ctx && ca_context_play(ctx, 0, CA_PROP_EVENT_ID, eventId, nullptr) == CA_SUCCESS;
}

bool CanberraContext::playFile(const std::string& path) {
    ca_context* ctx = context();
    return ctx && ca_context_play(ctx, 1, CA_PROP_MEDIA_FILENAME, path.c_str(), nullptr) == CA_SUCCESS;
}

} // namespace rotenu
