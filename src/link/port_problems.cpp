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

BilingualText NoAnswerAdvice(const std::vector<std::string>& ports) {
    if (ports.empty()) {
        return {"电脑上没有找到串口。请插好处理器的串口线或 USB 转串口线，然后再联机。",
                "No serial port was found on this PC. Plug in the processor's serial cable or "
                "its USB serial adapter, then link again."};
    }
    std::string list;
    for (const std::string& port : ports) list += (list.empty() ? "" : ", ") + port;
    return {"端口 " + list +
                " 上没有处理器应答。请检查：\n"
                "• 串口线两端是否插好（USB 转串口线是否插在电脑上）；\n"
                "• 处理器的电源是否打开；\n"
                "• 处理器所接的端口是否在上面的列表中（USB 转串口通常是 ttyUSB0 或 ttyACM0）。\n"
                "然后再联机。",
            "No processor answered on " + list +
                ". Check that:\n"
                "• the serial cable is plugged in at both ends (a USB serial adapter: in the PC);\n"
                "• the processor is switched on;\n"
                "• the processor's port is in the list above (a USB serial adapter is usually "
                "ttyUSB0 or ttyACM0).\n"
                "Then link again."};
}

}  // namespace zt
