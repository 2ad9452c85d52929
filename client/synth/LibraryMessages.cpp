#include "LibraryMessages.h"

namespace tamber {

namespace {

thread_local LibraryMessages::Category t_category = nullptr;
thread_local bool t_attempt = false;

} // namespace

LibraryMessages::LibraryMessages(Category category, bool attempt)
    : m_previousCategory(t_category), m_previousAttempt(t_attempt)
{
    t_category = category;
    t_attempt = attempt;
}

LibraryMessages::~LibraryMessages()
{
    t_category = m_previousCategory;
    t_attempt = m_previousAttempt;
}

LibraryMessages::Category LibraryMessages::category()
{
    return t_category;
}

bool LibraryMessages::inAttempt()
{
    return t_attempt;
}

} // namespace tamber
