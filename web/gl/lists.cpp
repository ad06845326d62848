// Display lists: while one is compiled, each call that GL compiles is kept
// in it as the call itself, its arguments copied (LISTED in gl_api.h), and
// calling the list makes them again, nested lists included.
#include <GL/gl.h>

#include <functional>
#include <map>
#include <vector>

#include "web/gl/gl_api.h"
#include "web/gl/gl_state.h"

namespace {

std::map<GLuint, std::vector<std::function<void()>>> lists;
GLuint compiled = 0;  // the list being compiled, 0 for none
GLenum compileMode = GL_COMPILE;
std::vector<std::function<void()>> pending;  // its calls so far
int callDepth = 0;  // lists being called inside one another
GLuint base = 0;
const int maxNesting = 64;

}  // namespace

namespace glweb {

bool compiling()
{
    return compiled != 0 && callDepth == 0;
}

bool keep(std::function<void()> call)
{
    inspect::listCallKept(compiled, pending.size());
    pending.push_back(std::move(call));
    return compileMode == GL_COMPILE;
}

Unlisted::Unlisted() { callDepth++; }
Unlisted::~Unlisted() { callDepth--; }

bool listState(GLenum pname, std::vector<double>& out)
{
    switch (pname) {
    case GL_LIST_BASE: out = {(double)base}; return true;
    case GL_LIST_INDEX: out = {(double)compiled}; return true;
    case GL_LIST_MODE: out = {(double)(compiled ? compileMode : 0)}; return true;
    default: return false;
    }
}

}  // namespace glweb

using glweb::gl;

extern "C" {

GLuint glGenLists(GLsizei range)
{
    if (range < 0) {
        glweb::raise(GL_INVALID_VALUE);
        return 0;
    }
    // The first of `range` names in a row that no list has.
    for (GLuint first = 1; range > 0 && first + (GLuint)range > first;) {
        GLuint n = 0;
        while (n < (GLuint)range && !lists.count(first + n) && first + n != compiled)
            n++;
        if (n == (GLuint)range) {
            for (GLuint k = 0; k < n; k++)
                lists[first + k];  // taken, though empty
            return first;
        }
        first += n + 1;
    }
    return 0;
}

void glNewList(GLuint list, GLenum mode)
{
    if (list == 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE)
        return glweb::raise(GL_INVALID_ENUM);
    if (compiled || gl().inside())
        return glweb::raise(GL_INVALID_OPERATION);
    compiled = list;
    compileMode = mode;
    pending.clear();
}

void glEndList()
{
    if (!compiled || gl().inside())
        return glweb::raise(GL_INVALID_OPERATION);
    lists[compiled] = std::move(pending);
    pending.clear();
    compiled = 0;
}

// A list called while it is compiled calls what it held before (GL takes
// the list's contents at the call).
void glCallList(GLuint list)
{
    ENTRY("glCallList", glCallList, (list));
    auto it = lists.find(list);
    if (it == lists.end() || callDepth >= maxNesting)
        return;
    const std::vector<std::function<void()>> calls = it->second;  // a list may delete itself
    callDepth++;
    for (size_t k = 0; k < calls.size(); k++) {
        inspect::listCallMade(list, k);
        calls[k]();
    }
    callDepth--;
}

void glListBase(GLuint b)
{
    ENTRY("glListBase", glListBase, (b));
    base = b;
}

void glCallLists(GLsizei n, GLenum type, const GLvoid* names)
{
    NOTED_AS("glCallLists", ((double)n, (double)type), nullptr);
    if (n < 0)
        return glweb::raise(GL_INVALID_VALUE);
    const auto* p = static_cast<const GLubyte*>(names);
    std::vector<GLuint> ids;
    for (GLsizei i = 0; p && i < n; i++) {
        GLuint id;
        switch (type) {
        case GL_BYTE: id = (GLuint)(GLint)((const GLbyte*)p)[i]; break;
        case GL_UNSIGNED_BYTE: id = p[i]; break;
        case GL_SHORT: id = (GLuint)(GLint)((const GLshort*)p)[i]; break;
        case GL_UNSIGNED_SHORT: id = ((const GLushort*)p)[i]; break;
        case GL_INT: id = (GLuint)((const GLint*)p)[i]; break;
        case GL_UNSIGNED_INT: id = ((const GLuint*)p)[i]; break;
        case GL_FLOAT: id = (GLuint)((const GLfloat*)p)[i]; break;
        case GL_2_BYTES: id = (GLuint)p[2 * i] * 256 + p[2 * i + 1]; break;
        case GL_3_BYTES: id = ((GLuint)p[3 * i] * 256 + p[3 * i + 1]) * 256 + p[3 * i + 2]; break;
        case GL_4_BYTES: id = (((GLuint)p[4 * i] * 256 + p[4 * i + 1]) * 256 + p[4 * i + 2]) * 256 + p[4 * i + 3]; break;
        default: return glweb::raise(GL_INVALID_ENUM);
        }
        ids.push_back(id);
    }
    for (GLuint id : ids) {
        inspect::listCallMade(0, 0);  // each glCallList is this call's, not the last list's
        glCallList(base + id);
    }
}

void glDeleteLists(GLuint list, GLsizei range)
{
    if (range < 0)
        return glweb::raise(GL_INVALID_VALUE);
    for (GLsizei i = 0; i < range; i++)
        lists.erase(list + (GLuint)i);
}

GLboolean glIsList(GLuint list)
{
    return lists.count(list) ? GL_TRUE : GL_FALSE;
}

}  // extern "C"
