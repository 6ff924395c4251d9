// The maker's texts, in one place for the resource script and the code (UTF-8 source).
#pragma once

#define MAKER_LAUNCHER_CAPTION "示例液压 Presovol 蓄能器容积计算 1.3"
#define MAKER_PROMO_LINE1 "本程序由示例液压技术有限公司示例工程师（"
#define MAKER_EMAIL "info@example.com"
#define MAKER_PROMO_LINE2 "参考使用。如需详细选型，欢迎来电咨询。示例牌蓄能器品质可靠，性能卓越，"
#define MAKER_PROMO_LINE3 "广泛用于各类液压系统。本公司是示例牌蓄能器的代理商，"
#define MAKER_PROMO_LINE4 "欢迎访问本公司网站了解详细资料："
#define MAKER_WEB_ADDRESS "http://www.example.com/ "
#define MAKER_RIGHTS "版权所有 (C) 2026 示例液压"
#define MAKER_BRAND_LINE "示例牌小型活塞式蓄能器活塞轻巧、摩擦小，常用于吸收脉动。"
