#include "link/port_problems.h"

namespace zt {
namespace {

std::string HeldBy(const PortProblem& problem, const char* prefix, const char* suffix) {
    return problem.holder.empty() ? std::string() : prefix + problem.holder + suffix;
}

}  // namespace

BilingualText PortProblemText(const PortProblem& problem) {
    if (problem.fault == PortFault::NoPermission) return {"无访问权限", "no permission"};
    if (problem.fault == PortFault::Busy) {
        return {"被占用" + HeldBy(problem, "（", "）"),
                "busy" + HeldBy(problem, " (held by ", ")")};
    }
    return {"无法打开", "cannot be opened"};
}

BilingualText PortProblemAdvice(const std::vector<PortProblem>& problems) {
    BilingualText advice;
    for (const PortProblem& p : problems) {
        if (!advice.chinese.empty()) {
            advice.chinese += "\n";
            advice.english += "\n";
        }
        if (p.fault == PortFault::NoPermission) {
            advice.chinese += "端口 " + p.port +
                              " 无法打开：当前用户没有访问权限。请把用户加入 dialout 组"
                              "（sudo usermod -aG dialout 用户名），重新登录后再联机。";
            advice.english += "Port " + p.port +
                              " cannot be opened: this user has no permission to use it. Add "
                              "the user to the dialout group (sudo usermod -aG dialout $USER), "
                              "log in again, then link again.";
        } else if (p.fault == PortFault::Busy) {
            advice.chinese += "端口 " + p.port + " 正被其他程序占用" + HeldBy(p, "（", "）") +
                              "。请关闭该程序后再联机。";
            advice.english += "Port " + p.port + " is in use by another program" +
                              HeldBy(p, " (", ")") + ". Close that program, then link again.";
        }
    }
    return advice;
}

}  // namespace zt
