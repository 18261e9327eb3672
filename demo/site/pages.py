"""The operator's pages: the server list that the client's launcher shows,
the game page a server opens, and the plain pages its links lead to."""
import html as html_escape
import json
import string
from dataclasses import dataclass

from . import static
from .responses import html, json_body, text

GAME_CODE = "vy"
HOT, NEW, MAINTENANCE = "hot", "new", "maintenance"


@dataclass(frozen=True)
class Account:
    name: str
    vip: int
    trial: bool  # a trial game account: the client shows its activation button


DEMO_ACCOUNTS = {
    "10001": Account("星辉旅人", 3, False),
    "10002": Account("试玩旅人", 0, True),
}


@dataclass(frozen=True)
class Server:
    number: int
    name: str
    status: str
    opened: str


SERVERS = [
    Server(9, "幻境之门", NEW, "今日 10:00 开启"),
    Server(8, "霜语雪原", NEW, "昨日 10:00 开启"),
    Server(7, "琉璃天阶", HOT, "已开启 6 天"),
    Server(6, "幽焰古城", HOT, "已开启 13 天"),
    Server(5, "碧落海湾", MAINTENANCE, "维护至 16:00"),
    Server(4, "龙脊山脉", HOT, "已开启 27 天"),
    Server(3, "星辉圣殿", HOT, "已开启 41 天"),
    Server(2, "月影密林", HOT, "已开启 58 天"),
    Server(1, "晨曦原野", HOT, "已开启 73 天"),
]
RECOMMENDED = SERVERS[0]


def account_of(uid):
    return DEMO_ACCOUNTS.get(uid) or Account(f"冒险者{uid}" if uid else "冒险者", 0, False)


def server_entry(origin, server):
    """What the page needs to show a server and to open it in the client."""
    label = f"S{server.number} {server.name}"
    return {
        "label": label,
        "status": server.status,
        "opened": server.opened,
        # The client opens the game window with the address and names it
        # after the third field; the second one is the operator's own.
        "open": f"{origin}/game/play?server={server.number}|s{server.number}|{label}",
    }


def chat_parameters(uid, account, server):
    """The seven customer-service fields the client hands to its chat desk."""
    fields = [account.name, uid, GAME_CODE, str(server.number), account.name, str(account.vip), f"t{uid}"]
    return "".join(f + "|" for f in fields)


def fill(template_name, **values):
    return string.Template(static.read(template_name)).substitute(values)


def script_data(value):
    """A value for a <script type="application/json"> element."""
    return json.dumps(value, ensure_ascii=False).replace("</", "<\\/")


def access_page(site, request):
    uid = request.query.get("uid", "")
    suid = request.query.get("suid", "")
    account = account_of(uid)
    origin = request.origin
    config = {
        "uid": uid,
        "suid": suid,
        "name": account.name,
        "trial": account.trial,
        "recommended": server_entry(origin, RECOMMENDED),
        "servers": [server_entry(origin, s) for s in SERVERS[1:]],
        "payUrl": f"{origin}/pay/",
        "chat": chat_parameters(uid, account, RECOMMENDED),
        "noticeUrl": f"{origin}/notice/",
        # A new window the client keeps for the game instead of a browser.
        "giftUrl": f"{origin}/game/gift?client=1",
    }
    return html(fill("access.html", config=script_data(config)))


def handshake(site, request):
    """The page reports what the client answered, as operators log versions."""
    with site.lock:
        site.handshakes.append(dict(request.query))
    return text("ok")


def handshakes(site, request):
    with site.lock:
        return json_body(list(site.handshakes))


def game_page(site, request):
    number = request.query.get("server", "")
    server = next((s for s in SERVERS if str(s.number) == number), None)
    title = f"S{server.number} {server.name}" if server else "未知服务器"
    return html(fill("play.html", title=html_escape.escape(title)))


def info_page(title, body):
    def route(site, request):
        return html(fill("info.html", title=title, body=body))
    return route


PAY_PAGE = info_page("充值中心", "选择充值金额后，晶石将在一分钟内到账。")
HOME_PAGE = info_page("LumioVeyra 官方网站", "幻境之门已开启，欢迎回到 LumioVeyra 的世界。")


def home_or_pay(site, request):
    # The launcher's recharge link is the payment site's root with "?g=<game>".
    return (PAY_PAGE if "g" in request.query else HOME_PAGE)(site, request)


def register(site):
    site.route("/game/s/wdAccess/", access_page)
    site.route("/game/s/hello", handshake)
    site.route("/game/s/hello/log", handshakes)
    site.route("/game/play", game_page)
    site.route("/", home_or_pay)
    site.route("/pay/", PAY_PAGE)
    site.route("/kefu/", info_page("客服中心", "客服在线时间：每日 9:00 - 24:00。"))
    site.route("/notice/", info_page("游戏公告", "新服「幻境之门」今日 10:00 开启，首周登录即送星辉礼包。"))
    site.route("/game/gift", info_page("客户端专享礼包", "在客户端内进入游戏即可领取。"))
