UPDATE `Component` SET `Condition` = 'RUN_AT_LOGON = "1" OR REMOVE = "ALL"' WHERE `Component` = 'RunAtLogon'
UPDATE `Property` SET `Value` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;RUN_AT_LOGON' WHERE `Property` = 'SecureCustomProperties'
